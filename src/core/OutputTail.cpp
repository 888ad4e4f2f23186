#include "core/OutputTail.h"

namespace core {

void AppendOutputLine(std::string& outputBuffer, std::string_view line) {
  outputBuffer += "\r\n";
  outputBuffer += line;
  if (outputBuffer.size() > kOutputTailLimit) outputBuffer.erase(0, outputBuffer.size() - kOutputTailKeep);
}

}  // namespace core
