// Notifications that the rule engine raises around a parser. They are typed
// here, next to the parser they carry, so that every part of the engine that
// raises or handles them agrees on one signature.
#pragma once

#include <functional>
#include <string>

namespace qora {

class TQelParser;
class TnxBaseObject;

// Asks the handler to store the value of Sender's current expression into
// the variable named Variable; the handler sets Handled when it did so.
using TECAParserEvent = std::function<void(TQelParser& Sender, const std::string& Variable, bool& Handled)>;

// A trace line of the rule engine (the condition evaluated, the action run)
// with the parser and the work item it concerns; Item may be null.
using TECADebugEvent = std::function<void(TQelParser& Sender, TnxBaseObject* Item, const std::string& DebugMessage)>;

}  // namespace qora
