#include "core/ErrorMessage.h"

#include "core/LangText.h"

// Negative codes of the form -(7p + c + 7) say that a token of kind c may not follow one of
// kind p. Those that follow a function name (p = 5) get the parenthesis message and those that
// follow a binary operator, an opening parenthesis or a unary minus get the operator message,
// so a user who types sin) or 2*/3 is told what is wrong instead of a generic sentence.
// -35 and -37 .. -40, and -54, are not produced by the engine; they keep their historical keys
// because translated language files were written against this table.
QString ErrorMessage(int code)
{
    switch (code) {
    case -1:
        return LangText("Err01", "Unknown function.");
    case -2:
        return LangText("Err02", "Unexpected end of parenthesis.");
    case -3:
        return LangText("Err03", "Unknown characters.");
    case -4:
        return LangText("Err04", "End of parenthesis missing.");
    case -5:
        return LangText("TooDeep", "The expression is nested too deeply (more than 1000 levels) or too large.");
    case -16:
        return LangText("Err05", "Missing expression between parentheses.");
    case -19:
        return LangText("Err06", "Expression expected.");
    case -35: case -37: case -38: case -39: case -40:
    case -42: case -44: case -45: case -46: case -47: case -48:
        return LangText("Err07", "Function must be followed by parenthesis.");
    case -20: case -51: case -54: case -55: case -58: case -62:
        return LangText("Err08", "Operators must be followed by number, constant, function.");
    case 31:
        return LangText("Err09", "Overflow.");
    case 32:
        return LangText("Err10", "Division by zero.");
    case 33:
        return LangText("Err11", "Error evaluating power function.");
    case 101: case 102:
        return LangText("Err12", "Error evaluating logarithm. The argument must be > 0.");
    case 103:
        return LangText("Err13", "Error evaluating exponential function.");
    case 104:
        return LangText("Err14", "Error evaluating sine.");
    case 105:
        return LangText("Err15", "Error evaluating arcsine. The argument must be in [-1, 1].");
    case 106:
        return LangText("Err16", "Error evaluating cosine.");
    case 107:
        return LangText("Err17", "Error evaluating arccosine. The argument must be in [-1, 1].");
    case 108:
        return LangText("Err18", "Error evaluating tangent.");
    case 109:
        return LangText("Err19", "Error evaluating arctangent.");
    case 110:
        return LangText("Err20", "Error evaluating hyperbolic sine.");
    case 111:
        return LangText("Err21", "Error evaluating hyperbolic arcsine.");
    case 112:
        return LangText("Err22", "Error evaluating hyperbolic cosine.");
    case 113:
        return LangText("Err23", "Error evaluating hyperbolic arccosine. The argument must be >= 1.");
    case 114:
        return LangText("Err24", "Error evaluating hyperbolic tangent.");
    case 115:
        return LangText("Err25", "Error evaluating hyperbolic arctangent. The argument must be in (-1, 1).");
    case 116:
        return LangText("Err26", "Error evaluating absolute value function.");
    case 117:
        return LangText("Err27", "Error evaluating signum function.");
    case 118:
        return LangText("Err28", "Error evaluating square root. The argument must be >= 0.");
    default:
        return LangText("Err29", "An error occured in evaluation.");
    }
}
