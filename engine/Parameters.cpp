#include "Parameters.h"

#include "Evaluator.h"
#include "Parser.h"
#include "Printer.h"

#include <cmath>
#include <cstring>

namespace trev {

int32_t IsPlainNumber(const char *text, double &value)
{
    const char *p = text ? text : "";
    while (*p == ' ')
        ++p;
    if (!(IsDigit(*p) || *p == '.' || *p == '-'))
        return -1;
    const char *start = p;
    ++p;
    while (IsDigit(*p) || *p == '.')
        ++p;
    const char *end = p;
    while (*p == ' ')
        ++p;
    if (*p != '\0')
        return -1;
    // As atof reads it: an optional sign, then the longest decimal prefix; "-" and "." read as 0.
    value = ReadDecimal(start, end);
    return 0;
}

int32_t EvaluateValueText(const char *text, Real &value, int32_t &errpos, bool *parsed)
{
    double plain = 0;
    const bool isPlain = IsPlainNumber(text, plain) == 0;
    if (parsed)
        *parsed = !isPlain;
    if (isPlain) {
        if (std::isinf(plain))
            return OverflowError; // digits beyond the double range
        value = plain;
    } else {
        int32_t code = EvalConstText(text, value, errpos);
        if (code != 0)
            return code;
    }
    g_tables.vars[VarRes].value = value;
    return 0;
}

int32_t ParseParameters(TreeHandle &handle, const char *text, ParameterMode mode)
{
    const std::string t = LowerCase(text);
    const size_t length = t.size();
    size_t pos = 0;
    while (pos < length) {
        while (pos < length && t[pos] == ' ')
            ++pos;
        if (pos >= length || !IsLetter(t[pos]))
            return -1;
        size_t nameStart = pos;
        while (pos < length && (IsLetter(t[pos]) || IsDigit(t[pos])))
            ++pos;
        std::string name = t.substr(nameStart, pos - nameStart);
        while (pos < length && t[pos] == ' ')
            ++pos;
        if (pos >= length || t[pos] != '=')
            return -2;
        ++pos;
        while (pos < length && t[pos] == ' ')
            ++pos;
        size_t valueEnd = t.find(';', pos);
        if (valueEnd == std::string::npos)
            valueEnd = length;
        const std::string valueText = t.substr(pos, valueEnd - pos);
        Real value = 0;
        int32_t errpos = 0;
        const bool evaluated = EvaluateValueText(valueText.c_str(), value, errpos) == 0;
        pos = valueEnd < length ? valueEnd + 1 : length;
        while (pos < length && t[pos] == ' ')
            ++pos;

        if (!evaluated)
            continue;
        if (g_tables.funIndex.count(name) || g_tables.varIndex.count(name))
            continue; // functions and global variables always win over parameters
        const Real stored = static_cast<double>(value);
        auto existing = handle.parameterIndex.find(name);
        if (existing != handle.parameterIndex.end()) {
            handle.parameters[static_cast<size_t>(existing->second)].value = stored;
        } else if (mode == ParameterMode::Create) {
            int32_t index = static_cast<int32_t>(handle.parameters.size());
            handle.parameters.push_back(ParamEntry{index, name, stored});
            handle.parameterIndex.emplace(name, index);
        }
    }
    return 0;
}

std::string ShowParametersText(const TreeHandle &handle)
{
    std::string text;
    for (const ParamEntry &p : handle.parameters) {
        text += p.name;
        text += '=';
        text += FormatNumber(static_cast<double>(p.value));
        text += "; ";
    }
    return text;
}

bool ReadDefinitionName(const char *text, std::string &name)
{
    const std::string t = LowerCase(text);
    size_t pos = 0;
    while (pos < t.size() && t[pos] == ' ')
        ++pos;
    if (pos >= t.size() || !IsLetter(t[pos]))
        return false;
    size_t start = pos;
    while (pos < t.size() && (IsLetter(t[pos]) || IsDigit(t[pos])))
        ++pos;
    name = t.substr(start, pos - start);
    while (pos < t.size() && t[pos] == ' ')
        ++pos;
    return pos == t.size();
}

int32_t AddConstant(const char *name, double value)
{
    std::string lowered;
    if (!ReadDefinitionName(name, lowered) || g_tables.funIndex.count(lowered))
        return -19;
    SetVariable(lowered, value);
    return 0;
}

} // namespace trev
