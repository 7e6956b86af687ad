#include "formula/operators.h"

#include <array>
#include <functional>
#include <string>

#include "formula/errors.h"

namespace qora {

namespace {

// Two's-complement arithmetic: 32-bit Integers wrap on overflow.
int32_t Wrap(uint32_t v) { return static_cast<int32_t>(v); }
uint32_t U(int32_t v) { return static_cast<uint32_t>(v); }

int32_t AddII(TnxBaseObject*, TQelValues v, int) { return Wrap(U(v[0]->I) + U(v[1]->I)); }
double AddRR(TnxBaseObject*, TQelValues v, int) { return v[0]->D + v[1]->D; }
void AddSS(TnxBaseObject*, TQelValues v, int, std::string& r) {
  r.assign(v[0]->S);
  r.append(v[1]->S);
}
int32_t SubII(TnxBaseObject*, TQelValues v, int) { return Wrap(U(v[0]->I) - U(v[1]->I)); }
double SubRR(TnxBaseObject*, TQelValues v, int) { return v[0]->D - v[1]->D; }
int32_t MulII(TnxBaseObject*, TQelValues v, int) { return Wrap(U(v[0]->I) * U(v[1]->I)); }
double MulRR(TnxBaseObject*, TQelValues v, int) { return v[0]->D * v[1]->D; }
// A payroll figure divided by zero is an error in the data, not infinity.
double DivRR(TnxBaseObject*, TQelValues v, int) {
  if (v[1]->D == 0.0) throw EQelParserError("Floating point division by zero", kQelEvaluateError);
  return v[0]->D / v[1]->D;
}
int32_t IntDivII(TnxBaseObject*, TQelValues v, int) {
  if (v[1]->I == 0) throw EQelParserError("Division by zero", kQelEvaluateError);
  if (v[1]->I == -1) return Wrap(0u - U(v[0]->I));
  return v[0]->I / v[1]->I;
}
int32_t ModII(TnxBaseObject*, TQelValues v, int) {
  if (v[1]->I == 0) throw EQelParserError("Division by zero", kQelEvaluateError);
  if (v[1]->I == -1) return 0;
  return v[0]->I % v[1]->I;
}
bool AndBB(TnxBaseObject*, TQelValues v, int) { return v[0]->B && v[1]->B; }
bool OrBB(TnxBaseObject*, TQelValues v, int) { return v[0]->B || v[1]->B; }
bool XorBB(TnxBaseObject*, TQelValues v, int) { return v[0]->B != v[1]->B; }
bool NotB(TnxBaseObject*, TQelValues v, int) { return !v[0]->B; }
int32_t NegI(TnxBaseObject*, TQelValues v, int) { return Wrap(0u - U(v[0]->I)); }
double NegR(TnxBaseObject*, TQelValues v, int) { return -v[0]->D; }
int32_t PlusI(TnxBaseObject*, TQelValues v, int) { return v[0]->I; }
double PlusR(TnxBaseObject*, TQelValues v, int) { return v[0]->D; }

template <class Cmp>
struct Compare {
  static bool II(TnxBaseObject*, TQelValues v, int) { return Cmp{}(v[0]->I, v[1]->I); }
  static bool RR(TnxBaseObject*, TQelValues v, int) { return Cmp{}(v[0]->D, v[1]->D); }
  static bool BB(TnxBaseObject*, TQelValues v, int) { return Cmp{}(v[0]->B, v[1]->B); }
  static bool SS(TnxBaseObject*, TQelValues v, int) { return Cmp{}(v[0]->S, v[1]->S); }
};

struct OperatorInfo {
  TQelOperator Op;
  const char* Token;
  const char* Form;
  const char* Prototype;
};

constexpr std::array<OperatorInfo, 16> kOperators{{
    {TQelOperator::Multiply, "*", "*", "Math|*"},
    {TQelOperator::Divide, "/", "/", "Math|/"},
    {TQelOperator::IntDiv, "DIV", "DIV", "Math|div"},
    {TQelOperator::Mod, "MOD", "MOD", "Math|mod"},
    {TQelOperator::And, "AND", "AND", "Logical|and"},
    {TQelOperator::Add, "+", "+", "Math|+"},
    {TQelOperator::Subtract, "-", "-", "Math|-"},
    {TQelOperator::Or, "OR", "OR", "Logical|or"},
    {TQelOperator::Xor, "XOR", "XOR", "Logical|xor"},
    {TQelOperator::Equal, "=", "=", "Logical|="},
    {TQelOperator::NotEqual, "<>", "<>", "Logical|<>"},
    {TQelOperator::Less, "<", "<", "Logical|<"},
    {TQelOperator::Greater, ">", ">", "Logical|>"},
    {TQelOperator::LessEqual, "<=", "<=", "Logical|<="},
    {TQelOperator::GreaterEqual, ">=", ">=", "Logical|>="},
    {TQelOperator::Not, "NOT", "NOT", "Logical|not"},
}};

const OperatorInfo& Info(TQelOperator op) { return kOperators[static_cast<size_t>(op)]; }

// One record per operator and operand type (Real, Integer, Boolean, String),
// indexed like TQelDataType; a record without an address is not defined.
struct OperatorTable {
  std::array<std::array<TFunctionClass, 4>, kOperators.size()> Classes;

  OperatorTable() {
    for (const OperatorInfo& info : kOperators) {
      for (int t = 0; t < 4; ++t) {
        TFunctionClass& fc = At(info.Op, static_cast<TQelDataType>(t));
        fc.Name = info.Form;
        fc.Prototype = info.Prototype;
        fc.Hidden = true;
        bool unary = info.Op == TQelOperator::Not;
        fc.InputDataTypes.assign(unary ? 1 : 2, static_cast<TQelDataType>(t));
      }
    }
    SetR(TQelOperator::Add, AddRR);
    SetI(TQelOperator::Add, AddII);
    At(TQelOperator::Add, rdtString).SFunctionAddr = AddSS;
    At(TQelOperator::Add, rdtString).ResultType = rdtString;
    At(TQelOperator::Add, rdtString).Prototype = "Text|+";
    SetR(TQelOperator::Subtract, SubRR);
    SetI(TQelOperator::Subtract, SubII);
    SetR(TQelOperator::Multiply, MulRR);
    SetI(TQelOperator::Multiply, MulII);
    SetR(TQelOperator::Divide, DivRR);
    SetI(TQelOperator::IntDiv, IntDivII);
    SetI(TQelOperator::Mod, ModII);
    SetB(TQelOperator::And, rdtBoolean, AndBB);
    SetB(TQelOperator::Or, rdtBoolean, OrBB);
    SetB(TQelOperator::Xor, rdtBoolean, XorBB);
    SetB(TQelOperator::Not, rdtBoolean, NotB);
    SetCompare<std::equal_to<>>(TQelOperator::Equal);
    SetCompare<std::not_equal_to<>>(TQelOperator::NotEqual);
    SetCompare<std::less<>>(TQelOperator::Less);
    SetCompare<std::greater<>>(TQelOperator::Greater);
    SetCompare<std::less_equal<>>(TQelOperator::LessEqual);
    SetCompare<std::greater_equal<>>(TQelOperator::GreaterEqual);
  }
  TFunctionClass& At(TQelOperator op, TQelDataType t) { return Classes[static_cast<size_t>(op)][t]; }
  void SetR(TQelOperator op, TQelRealFunction f) {
    At(op, rdtDouble).RFunctionAddr = f;
    At(op, rdtDouble).ResultType = rdtDouble;
  }
  void SetI(TQelOperator op, TQelIntegerFunction f) {
    At(op, rdtInteger).IFunctionAddr = f;
    At(op, rdtInteger).ResultType = rdtInteger;
  }
  void SetB(TQelOperator op, TQelDataType t, TQelBooleanFunction f) {
    At(op, t).BFunctionAddr = f;
    At(op, t).ResultType = rdtBoolean;
  }
  template <class Cmp>
  void SetCompare(TQelOperator op) {
    SetB(op, rdtDouble, Compare<Cmp>::RR);
    SetB(op, rdtInteger, Compare<Cmp>::II);
    SetB(op, rdtBoolean, Compare<Cmp>::BB);
    SetB(op, rdtString, Compare<Cmp>::SS);
  }
};

const OperatorTable& Table() {
  static const OperatorTable table;
  return table;
}

const TFunctionClass& SignClass(char sign, TQelDataType t) {
  static const auto classes = [] {
    std::array<TFunctionClass, 4> c;  // +I, +R, -I, -R
    const char* names[] = {"+", "+", "-", "-"};
    for (int i = 0; i < 4; ++i) {
      c[i].Name = names[i];
      c[i].Prototype = std::string("Math|") + names[i];
      c[i].Hidden = true;
      c[i].InputDataTypes = {i % 2 == 0 ? rdtInteger : rdtDouble};
      c[i].ResultType = c[i].InputDataTypes[0];
    }
    c[0].IFunctionAddr = PlusI;
    c[1].RFunctionAddr = PlusR;
    c[2].IFunctionAddr = NegI;
    c[3].RFunctionAddr = NegR;
    return c;
  }();
  return classes[(sign == '-' ? 2 : 0) + (t == rdtDouble ? 1 : 0)];
}

bool IsNumeric(TQelDataType t) { return t == rdtDouble || t == rdtInteger; }

std::vector<TQelOperand> Pair(TQelOperand a, TQelOperand b) {
  std::vector<TQelOperand> v;
  v.push_back(std::move(a));
  v.push_back(std::move(b));
  return v;
}

[[noreturn]] void TypeError(TQelOperator op, TQelDataType l, TQelDataType r) {
  std::string form = Info(op).Form;
  if (QelIsRelational(op)) {
    throw EQelParserError("Error in parsing \"" + form + "\" operator; " + QelTypeDisplayName(l) + " and " +
                              QelTypeDisplayName(r) + " can not be compared with the \"" + form + "\" operator.",
                          kQelCompileError);
  }
  throw EQelParserError("Error in parsing \"" + form + "\" operator; It is not possible to apply the \"" + form +
                            "\" operator to " + QelTypeDisplayName(l) + " and " + QelTypeDisplayName(r) + ".",
                        kQelCompileError);
}

// The operand type at which the operator works, or false when the pair of
// types does not fit.
bool OperandType(TQelOperator op, TQelDataType l, TQelDataType r, TQelDataType& work) {
  const bool numeric = IsNumeric(l) && IsNumeric(r);
  const TQelDataType widened = (l == rdtDouble || r == rdtDouble) ? rdtDouble : rdtInteger;
  switch (op) {
    case TQelOperator::Multiply:
    case TQelOperator::Subtract:
      work = widened;
      return numeric;
    case TQelOperator::Divide:
      work = rdtDouble;
      return numeric;
    case TQelOperator::IntDiv:
    case TQelOperator::Mod:
      work = rdtInteger;
      return l == rdtInteger && r == rdtInteger;
    case TQelOperator::Add:
      if (l == rdtString && r == rdtString) {
        work = rdtString;
        return true;
      }
      work = widened;
      return numeric;
    case TQelOperator::And:
    case TQelOperator::Or:
    case TQelOperator::Xor:
    case TQelOperator::Not:
      work = rdtBoolean;
      return l == rdtBoolean && r == rdtBoolean;
    default:
      if (numeric) {
        work = widened;
        return true;
      }
      work = l;
      return l == r;
  }
}

}  // namespace

bool QelOperatorFromToken(std::string_view token, TQelOperator& op) {
  for (const OperatorInfo& info : kOperators) {
    if (token == info.Token) {
      op = info.Op;
      return true;
    }
  }
  return false;
}

const char* QelOperatorForm(TQelOperator op) { return Info(op).Form; }

bool QelIsRelational(TQelOperator op) { return op >= TQelOperator::Equal && op <= TQelOperator::GreaterEqual; }

TQelOperand QelIntToDouble(TQelOperand operand) {
  return TQelOperand::Own(std::make_unique<TIntToDoubleExpression>(std::move(operand)));
}

std::unique_ptr<TExpression> QelMakeBinary(TQelOperator op, TQelOperand left, TQelOperand right) {
  const TQelDataType l = left.Node->ResultType();
  const TQelDataType r = right.Node->ResultType();
  TQelDataType work;
  if (!OperandType(op, l, r, work)) TypeError(op, l, r);
  if (work == rdtDouble && l == rdtInteger) left = QelIntToDouble(std::move(left));
  if (work == rdtDouble && r == rdtInteger) right = QelIntToDouble(std::move(right));
  const TFunctionClass& fc = Table().Classes[static_cast<size_t>(op)][work];
  auto args = Pair(std::move(left), std::move(right));
  if (op == TQelOperator::And) return std::make_unique<TAndExpression>(fc, std::move(args));
  if (op == TQelOperator::Or) return std::make_unique<TOrExpression>(fc, std::move(args));
  return std::make_unique<TOperator>(fc, std::move(args));
}

std::unique_ptr<TExpression> QelMakeNot(TQelOperand operand) {
  const TQelDataType t = operand.Node->ResultType();
  if (t != rdtBoolean) {
    throw EQelParserError(std::string("Error in parsing \"NOT\" operator; It is not possible to apply the \"NOT\" operator to ") +
                              QelTypeDisplayName(t) + ".",
                          kQelCompileError);
  }
  std::vector<TQelOperand> args;
  args.push_back(std::move(operand));
  return std::make_unique<TOperator>(Table().Classes[static_cast<size_t>(TQelOperator::Not)][rdtBoolean],
                                     std::move(args));
}

std::unique_ptr<TExpression> QelMakeSign(char sign, TQelOperand operand) {
  const TQelDataType t = operand.Node->ResultType();
  std::vector<TQelOperand> args;
  args.push_back(std::move(operand));
  return std::make_unique<TSignOperator>(SignClass(sign, t), std::move(args));
}

}  // namespace qora
