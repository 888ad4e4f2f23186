// Prints the four string tables as the wizard loads them: for each language in
// language-index order, the lines of TextList as key=text, each ended by LF.
// Output is raw Windows-1252 bytes; the texts' own carriage returns are kept.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "core/LangRes.h"

int main() {
#ifdef _WIN32
  // Text mode would turn every LF into CR LF.
  if (_setmode(_fileno(stdout), _O_BINARY) == -1) {
    std::perror("langdump: cannot set standard output to binary");
    return 1;
  }
#endif
  for (int32_t index = 0; index < static_cast<int32_t>(core::LanguageNames().size()); ++index) {
    core::SelectLanguage(index);
    for (const std::string& line : core::TextList().Lines()) {
      if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size() || std::fputc('\n', stdout) == EOF) {
        std::perror("langdump: write failed");
        return 1;
      }
    }
  }
  if (std::fflush(stdout) != 0) {
    std::perror("langdump: write failed");
    return 1;
  }
  return 0;
}
