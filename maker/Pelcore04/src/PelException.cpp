#include "Pelcore/PelException.h"

#include <utility>

#include "Pelcore/PelMessage.h"

PelException::PelException(int module, int errorNumber, std::string text, Level level)
    : module_(module), errorNumber_(errorNumber), text_(std::move(text)), level_(level) {}

std::string PelException::describe() const {
  std::string out = "PelException(module=" + std::to_string(module_) +
                    ", error=" + std::to_string(errorNumber_) + ")";
  if (!text_.empty()) out += ": " + text_;
  return out;
}

bool PelErrorHandle::shouldOutputMessage(const PelException& e) {
  switch (e.level()) {
    case PelException::Error: return PelMessageSelection::isSelected(PelMessageLevel::Error);
    case PelException::Normal: return PelMessageSelection::isSelected(PelMessageLevel::Normal);
    case PelException::Debug: return PelMessageSelection::isSelected(PelMessageLevel::Debug);
  }
  return true;
}
