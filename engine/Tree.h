#pragma once
// Expression trees and the engine's process-wide tables.
#include <cfloat>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

static_assert(LDBL_MANT_DIG == 64, "the engine computes in 80-bit extended precision (64-bit mantissa)");

namespace trev {

using Real = long double;

// Node kinds; the values index the parser's succession table.
enum NodeKind : int32_t {
    Number = 0,
    OpenParen = 1,  // token only
    CloseParen = 2, // token only
    Variable = 3,   // code: index into VarTable
    Parameter = 4,  // code: index into the tree's own parameter table
    Call = 5,       // code: index into FunTable; argument in left
    BinaryOp = 6,   // code: operator code; operands in left and right
    Negate = 7,     // code 4; operand in left
    Unresolved = 8, // token only; also the tokenizer's start state
};

// Operator codes shared by BinaryOp and Negate nodes.
enum OperatorCode : int32_t { OpAdd = 0, OpSub = 1, OpMul = 2, OpDiv = 3, OpNeg = 4, OpPow = 5 };

extern const char *const OpSymbols[6];

struct Token {
    int32_t code = -1;
    int32_t kind = Unresolved;
    Real value = 0;
};

// One node of an expression tree; it owns its two children (released with FreeNodes).
struct Node {
    int32_t code = -1;
    int32_t kind = Number;
    Real value = 0;
    Node *left = nullptr;
    Node *right = nullptr;
};

Node *NewNode(int32_t code, int32_t kind, Real value = 0, Node *left = nullptr, Node *right = nullptr);
inline Node *NewNumber(Real value) { return NewNode(-1, Number, value); }
inline Node *NewOp(int32_t code, Node *left, Node *right) { return NewNode(code, BinaryOp, 0, left, right); }
inline Node *NewNegate(Node *operand) { return NewNode(OpNeg, Negate, 0, operand); }
inline Node *NewCall(int32_t function, Node *argument) { return NewNode(function, Call, 0, argument); }

Node *CopyNodes(const Node *node);
void FreeNodes(Node *node);
// Depth of a subtree (a leaf is 1); iterative, so any tree may be measured.
int TreeDepth(const Node *node);
// Number of nodes of a subtree; iterative.
long TreeSize(const Node *node);

struct ParamEntry {
    int32_t index = 0;
    std::string name;
    Real value = 0;
};
using VarEntry = ParamEntry;

// One step of a tree flattened for evaluation (see Evaluator.cpp).
struct FlatStep {
    int32_t op = 0;
    int32_t code = 0;
    Real value = 0;
};

// One parsed expression with its own parameters. Owned by whoever holds its handle.
struct TreeHandle {
    Node *root = nullptr;
    int32_t error = 0;
    // Set when the tree could not be built (a derivative too large to hold); evaluating the
    // handle then reports this code instead of a silent NaN.
    int32_t buildError = 0;
    std::map<std::string, int32_t> parameterIndex;
    std::vector<ParamEntry> parameters;
    // The tree as flat steps, made at its first evaluation (the nodes no longer change once a
    // handle is handed out); flatState -1 where the tree keeps the recursive way.
    std::vector<FlatStep> flatSteps;
    int32_t flatState = 0; // 0 not yet made, 1 made, -1 not flattened
    int32_t flatStackDepth = 0;

    TreeHandle() = default;
    TreeHandle(const TreeHandle &) = delete;
    TreeHandle &operator=(const TreeHandle &) = delete;
    ~TreeHandle() { FreeNodes(root); }
};

using NativeFunction = Real (*)(Real);

struct FunEntry {
    int32_t index = 0;
    std::string name;
    NativeFunction native = nullptr;      // built-ins
    std::unique_ptr<TreeHandle> userTree; // user-defined functions: the body
    int bodyDepth = 0;                    // depth of the body tree, for the nesting budget
};

// The process-wide state: VarTable, FunTable and the texts handed out by the exports.
struct EngineTables {
    std::vector<VarEntry> vars;
    std::map<std::string, int32_t> varIndex;
    std::vector<FunEntry> funs;
    std::map<std::string, int32_t> funIndex;
};

extern EngineTables g_tables;

// Index of variable x in VarTable; res is 1.
constexpr int32_t VarX = 0;
constexpr int32_t VarRes = 1;
constexpr int32_t BuiltinCount = 18;

void SetVariable(const std::string &name, Real value);
void RegisterFunction(const std::string &name, int32_t index, NativeFunction native);
// Looks a name up as the tokenizer does: functions, then global variables, then the tree's
// parameters (tree may be null). Returns the kind (Call, Variable, Parameter or Unresolved).
int32_t ResolveName(const std::string &name, const TreeHandle *tree, int32_t &index);

void InitTables();
void ClearUserFunctionBodies();

// Deep copy of a handle: nodes, parameter index and parameters; error starts at 0.
std::unique_ptr<TreeHandle> CopyHandle(const TreeHandle &source);

} // namespace trev
