#include "formula/constant.h"

#include "common/text.h"
#include "formula/errors.h"

namespace qora {

TConstant::TConstant(TQelNodeKind kind, TQelDataType type) : FKind(kind) { FValue.Type = type; }

TConstant::TConstant(double value) : TConstant(TQelNodeKind::Constant, rdtDouble) { FValue.D = value; }
TConstant::TConstant(int32_t value) : TConstant(TQelNodeKind::Constant, rdtInteger) { FValue.I = value; }
TConstant::TConstant(bool value) : TConstant(TQelNodeKind::Constant, rdtBoolean) { FValue.B = value; }
TConstant::TConstant(std::string value) : TConstant(TQelNodeKind::Constant, rdtString) {
  FValue.S = std::move(value);
}

TConstant::~TConstant() = default;

std::unique_ptr<TConstant> TConstant::FromValue(const TQelValue& value) {
  switch (value.Type) {
    case rdtDouble: return std::make_unique<TConstant>(value.D);
    case rdtInteger: return std::make_unique<TConstant>(value.I);
    case rdtBoolean: return std::make_unique<TConstant>(value.B);
    case rdtString: break;
  }
  return std::make_unique<TConstant>(value.S);
}

namespace {
[[noreturn]] void WrongType(TQelDataType actual, const char* wanted) {
  throw EQelParserError(std::string("Error: attempt to use ") + QelTypeDisplayName(actual) + wanted,
                        kQelEvaluateError);
}
}  // namespace

double TConstant::DoubleResult() const {
  if (FValue.Type == rdtDouble) return FValue.D;
  if (FValue.Type == rdtInteger) return FValue.I;
  WrongType(FValue.Type, " as a Real.");
}

int32_t TConstant::IntegerResult() const {
  if (FValue.Type != rdtInteger) WrongType(FValue.Type, " as an Integer.");
  return FValue.I;
}

bool TConstant::BooleanResult() const {
  if (FValue.Type != rdtBoolean) WrongType(FValue.Type, " as a boolean.");
  return FValue.B;
}

const std::string& TConstant::StringResult() const {
  if (FValue.Type != rdtString) WrongType(FValue.Type, " as a String.");
  return FValue.S;
}

std::string TConstant::Decompile() const {
  std::string out;
  DecompileTo(out, true);
  return out;
}

void TConstant::DecompileTo(std::string& out, bool /*top*/) const {
  switch (FValue.Type) {
    case rdtDouble:
      if (FIntegerText) {
        out += std::to_string(static_cast<int64_t>(FValue.D));
      } else {
        out += QelCanonicalReal(FValue.D);
      }
      break;
    case rdtInteger: out += std::to_string(FValue.I); break;
    case rdtBoolean: out += FValue.B ? "True" : "False"; break;
    case rdtString:
      out += '"';
      out += FValue.S;
      out += '"';
      break;
  }
}

TCustomValue::TCustomValue(std::string_view name, TQelDataType type, TQelNodeKind kind) : TConstant(kind, type) {
  SetNames(name);
}

void TCustomValue::SetNames(std::string_view name) {
  FUserName = Trim(name);
  FName = UpperCase(FUserName);
}

void TCustomValue::DecompileTo(std::string& out, bool /*top*/) const { out += FUserName; }

}  // namespace qora
