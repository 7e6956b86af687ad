#include "formula/tree_builder.h"

#include <string>

#include "common/text.h"
#include "formula/errors.h"
#include "formula/operators.h"

namespace qora {

namespace {

enum class TItemKind { Value, Operator, Function, Group, Open, Close, Comma, Unknown };

struct TItem {
  TItemKind Kind = TItemKind::Unknown;
  std::string Text;
  TQelOperand Value;
  TQelOperator Op = TQelOperator::Add;
  const TQelFunctionSet* Function = nullptr;
  std::vector<TQelOperand> Group;

  static TItem Of(TQelOperand value) {
    TItem item;
    item.Kind = TItemKind::Value;
    item.Value = std::move(value);
    return item;
  }
};

using TItems = std::vector<TItem>;

[[noreturn]] void Fail(const std::string& message) { throw EQelParserError(message, kQelCompileError); }

[[noreturn]] void ParsingError() {
  Fail("Parsing Error; Check that no function or variable names have been misspelled.");
}

[[noreturn]] void NotRecognized(const std::string& token) {
  Fail("Error: \"" + token + "\" not recognized or the arguments for \"" + token + "\" are not of the correct types.");
}

std::string N(int v) { return std::to_string(v); }

[[noreturn]] void CountError(const TFunctionClass& fc, int m) {
  const int n = fc.InputDataCount();
  const int k = fc.OptionalArguments;
  const std::string head = "Error: the " + fc.Name + " function requires ";
  if (m == 0) {
    if (k == 0) Fail(head + N(n) + " arguments but none were supplied.");
    if (k > 0) Fail(head + "between " + N(n - k) + " and " + N(n) + " arguments but none were supplied.");
    // A variable-count function called bare names its minimum like the others.
    Fail(head + "at least " + N(n - 1) + " arguments but none were supplied.");
  }
  if (k < 0) Fail(head + "at least " + N(n - 1) + " arguments but " + N(m) + " were supplied.");
  if (m > n) Fail(head + "at most " + N(n) + " arguments but " + N(m) + " were supplied.");
  Fail(head + "at least " + N(n - k) + " arguments but " + N(m) + " were supplied.");
}

bool Fits(TQelDataType arg, TQelDataType param) { return arg == param || (arg == rdtInteger && param == rdtDouble); }

bool TypesFit(const TFunctionClass& fc, const std::vector<TQelOperand>& args, bool exact) {
  for (size_t i = 0; i < args.size(); ++i) {
    TQelDataType a = args[i].Node->ResultType();
    TQelDataType p = fc.ParameterType(static_cast<int>(i));
    if (exact ? a != p : !Fits(a, p)) return false;
  }
  return true;
}

[[noreturn]] void AssignError(const TFunctionClass& fc, const std::vector<TQelOperand>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    TQelDataType a = args[i].Node->ResultType();
    TQelDataType p = fc.ParameterType(static_cast<int>(i));
    if (!Fits(a, p)) {
      Fail(std::string("Error: ") + QelTypeDisplayName(a) + " can not be assigned to " + QelTypeDisplayName(p) +
           " variable.");
    }
  }
  NotRecognized(fc.Name);
}

// Picks the overload: drop those whose count does not fit, then those whose
// types do not fit (an Integer may fill a Real), prefer exact matches, take
// the first.
const TFunctionClass& Resolve(const TItem& fn, const std::vector<TQelOperand>& args) {
  const auto& overloads = fn.Function->Overloads;
  const int m = static_cast<int>(args.size());
  std::vector<const TFunctionClass*> fits;
  for (const TFunctionClass& fc : overloads) {
    if (fc.AcceptsCount(m)) fits.push_back(&fc);
  }
  if (fits.empty()) CountError(overloads.front(), m);
  std::vector<const TFunctionClass*> typed;
  for (const TFunctionClass* fc : fits) {
    if (TypesFit(*fc, args, false)) typed.push_back(fc);
  }
  if (typed.empty()) {
    if (overloads.size() == 1) AssignError(overloads.front(), args);
    NotRecognized(fn.Text);
  }
  if (typed.size() > 1) {
    for (const TFunctionClass* fc : typed) {
      if (TypesFit(*fc, args, true)) return *fc;
    }
  }
  return *typed.front();
}

class TTreeBuilder {
 public:
  TTreeBuilder(const TQelVariableLookup& variables, const TFunctionStringList& functions)
      : FVariables(variables), FFunctions(functions) {}

  // Innermost groups first: each "(" opens a new level, each ")" reduces the
  // level it closes to one group item of the level around it.
  TQelOperand Build(const std::vector<TQelToken>& tokens) {
    std::vector<TItems> levels(1);
    levels.front().reserve(tokens.size());
    for (const TQelToken& t : tokens) {
      TItem item = Classify(t);
      if (item.Kind == TItemKind::Open) {
        levels.emplace_back();
      } else if (item.Kind == TItemKind::Close) {
        if (levels.size() < 2) Fail("Error: Unmatched parentheses");
        TItem group;
        group.Kind = TItemKind::Group;
        group.Text = "(";
        group.Group = ReduceGroup(std::move(levels.back()));
        levels.pop_back();
        levels.back().push_back(std::move(group));
      } else {
        levels.back().push_back(std::move(item));
      }
    }
    if (levels.size() != 1) Fail("Error: Unmatched parentheses");
    return ReduceToValue(std::move(levels.front()));
  }

 private:
  TItem Classify(const TQelToken& token) {
    TItem item;
    item.Text = token.Text;
    if (token.IsLiteral) {
      const std::string& lit = token.Text;
      return TItem::Of(Own(std::make_unique<TConstant>(lit.substr(1, lit.size() - 2))));
    }
    const std::string t = UpperCase(token.Text);
    if (t == "(") item.Kind = TItemKind::Open;
    else if (t == ")") item.Kind = TItemKind::Close;
    else if (t == ",") item.Kind = TItemKind::Comma;
    if (item.Kind != TItemKind::Unknown) return item;
    if (t == "TRUE" || t == "FALSE") return TItem::Of(Own(std::make_unique<TConstant>(t == "TRUE")));
    int32_t i = 0;
    if (QelParseIntegerToken(t, i)) return TItem::Of(Own(std::make_unique<TConstant>(i)));
    double d = 0.0;
    if (QelParseRealToken(t, d)) return TItem::Of(Own(std::make_unique<TConstant>(d)));
    if (QelOperatorFromToken(t, item.Op)) {
      item.Kind = TItemKind::Operator;
      return item;
    }
    if (TCustomVariable* v = FVariables ? FVariables(t) : nullptr) {
      TItem value = TItem::Of(TQelOperand::Refer(v));
      value.Text = token.Text;
      return value;
    }
    if ((item.Function = FFunctions.FindUpper(t))) item.Kind = TItemKind::Function;
    return item;
  }

  static TQelOperand Own(std::unique_ptr<TConstant> node) { return TQelOperand::Own(std::move(node)); }
  static TQelOperand Own(std::unique_ptr<TExpression> node) { return TQelOperand::Own(std::move(node)); }

  std::vector<TQelOperand> ReduceGroup(TItems inner) {
    std::vector<TQelOperand> args;
    if (inner.empty()) return args;
    TItems part;
    for (TItem& item : inner) {
      if (item.Kind == TItemKind::Comma) {
        args.push_back(ReduceToValue(std::move(part)));
        part.clear();
      } else {
        part.push_back(std::move(item));
      }
    }
    args.push_back(ReduceToValue(std::move(part)));
    return args;
  }

  TQelOperand ReduceToValue(TItems items) {
    if (items.empty()) ParsingError();
    CallPass(items);
    NotPass(items);
    SignPass(items);
    BinaryPass(items, TQelOperator::Multiply, TQelOperator::And);
    BinaryPass(items, TQelOperator::Add, TQelOperator::Xor);
    BinaryPass(items, TQelOperator::Equal, TQelOperator::GreaterEqual);
    for (const TItem& item : items) {
      if (item.Kind != TItemKind::Value && item.Kind != TItemKind::Comma && item.Kind != TItemKind::Group) {
        NotRecognized(item.Text);
      }
    }
    // Left-over groups are parentheses holding no value or several.
    if (items.size() != 1 || items.front().Kind != TItemKind::Value) ParsingError();
    return std::move(items.front().Value);
  }

  void CallPass(TItems& items) {
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].Kind == TItemKind::Function) {
        std::vector<TQelOperand> args;
        if (i + 1 < items.size() && items[i + 1].Kind == TItemKind::Group) {
          args = std::move(items[i + 1].Group);
          items.erase(items.begin() + static_cast<long>(i) + 1);
        }
        items[i] = TItem::Of(MakeCall(items[i], std::move(args)));
      } else if (items[i].Kind == TItemKind::Group && items[i].Group.size() == 1) {
        items[i] = TItem::Of(std::move(items[i].Group.front()));
      }
    }
  }

  static TQelOperand MakeCall(const TItem& fn, std::vector<TQelOperand> args) {
    const TFunctionClass& fc = Resolve(fn, args);
    for (size_t i = 0; i < args.size(); ++i) {
      if (args[i].Node->ResultType() == rdtInteger && fc.ParameterType(static_cast<int>(i)) == rdtDouble) {
        args[i] = QelIntToDouble(std::move(args[i]));
      }
    }
    return Own(QelMakeCall(fc, std::move(args)));
  }

  static void NotPass(TItems& items) {
    for (size_t i = items.size(); i-- > 0;) {
      if (items[i].Kind != TItemKind::Operator || items[i].Op != TQelOperator::Not) continue;
      if (i + 1 >= items.size() || items[i + 1].Kind != TItemKind::Value) Fail("Error in parsing \"NOT\" operator.");
      items[i] = TItem::Of(Own(QelMakeNot(std::move(items[i + 1].Value))));
      items.erase(items.begin() + static_cast<long>(i) + 1);
    }
  }

  static void SignPass(TItems& items) {
    for (size_t i = items.size(); i-- > 0;) {
      const TItem& item = items[i];
      if (item.Kind != TItemKind::Operator || (item.Op != TQelOperator::Add && item.Op != TQelOperator::Subtract)) {
        continue;
      }
      // A sign stands at the start or after an operator; after any other
      // token (a value, or a name that is not one) it is a binary operator.
      if (i > 0 && items[i - 1].Kind != TItemKind::Operator && items[i - 1].Kind != TItemKind::Comma) continue;
      if (i + 1 >= items.size()) Fail("Error in parsing " + item.Text + " sign.");
      const TItem& right = items[i + 1];
      if (right.Kind != TItemKind::Value) continue;
      TQelDataType t = right.Value.Node->ResultType();
      if (t != rdtInteger && t != rdtDouble) continue;
      char sign = item.Op == TQelOperator::Subtract ? '-' : '+';
      items[i] = TItem::Of(Own(QelMakeSign(sign, std::move(items[i + 1].Value))));
      items.erase(items.begin() + static_cast<long>(i) + 1);
    }
  }

  [[noreturn]] static void OperandFault(TQelOperator op, bool missing) {
    const std::string form = QelOperatorForm(op);
    if (missing && op == TQelOperator::Divide) {
      Fail("Error in parsing \"/\" operator  .Check to make sure that all the variables in the formula have been defined.");
    }
    Fail("Error in parsing \"" + form +
         "\" operator.  Check to make sure that all the variables in the formula have been defined.");
  }

  // Reduces, left to right, every operator in [first, last] of the enum.
  static void BinaryPass(TItems& items, TQelOperator first, TQelOperator last) {
    size_t i = 0;
    while (i < items.size()) {
      const TItem& item = items[i];
      if (item.Kind != TItemKind::Operator || item.Op < first || item.Op > last) {
        ++i;
        continue;
      }
      if (i == 0 || i + 1 >= items.size()) OperandFault(item.Op, true);
      if (items[i - 1].Kind != TItemKind::Value || items[i + 1].Kind != TItemKind::Value) OperandFault(item.Op, false);
      auto node = QelMakeBinary(item.Op, std::move(items[i - 1].Value), std::move(items[i + 1].Value));
      items[i - 1] = TItem::Of(Own(std::move(node)));
      items.erase(items.begin() + static_cast<long>(i), items.begin() + static_cast<long>(i) + 2);
    }
  }

  const TQelVariableLookup& FVariables;
  const TFunctionStringList& FFunctions;
};

}  // namespace

std::unique_ptr<TExpression> QelBuildTree(const std::vector<TQelToken>& tokens, const TQelVariableLookup& variables,
                                          const TFunctionStringList& functions) {
  TTreeBuilder builder(variables, functions);
  TQelOperand top = builder.Build(tokens);
  if (top.Node->Kind() == TQelNodeKind::Variable) {
    return std::make_unique<TVariableExpression>(static_cast<TCustomVariable*>(top.Node));
  }
  std::unique_ptr<TConstant> folded = QelFold(std::move(top.Owned), true);
  if (folded->Kind() == TQelNodeKind::Expression) {
    return std::unique_ptr<TExpression>(static_cast<TExpression*>(folded.release()));
  }
  return std::make_unique<TDummyExpression>(std::move(folded));
}

}  // namespace qora
