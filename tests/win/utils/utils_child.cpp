// A child process for the Utils tests and benchmarks. The first argument
// picks what it does:
//   echo           answers every line on standard input with "got:<line>",
//                  ends on the line "quit"
//   whoami ARGS    prints its own executable path, its arguments, how it was
//                  started and its command line as it was given
//   pieces         writes a script of output pieces, each after a line on
//                  standard input, so the reader sees every piece on its own
//   lines N        writes N numbered lines as fast as it can
//   hold PID       waits until process PID has ended
//   signal HANDLE  sets the event with that handle value, if it inherited one
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Put(const char* bytes, size_t count) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  while (count > 0) {
    DWORD written = 0;
    if (!WriteFile(out, bytes, static_cast<DWORD>(count), &written, nullptr) || written == 0) ExitProcess(3);
    bytes += written;
    count -= written;
  }
}

void Put(const std::string& text) { Put(text.data(), text.size()); }

// One line from standard input without its CR LF; false at its end.
bool GetLine(std::string& line) {
  static char buffer[4096];
  static DWORD filled = 0;
  static DWORD used = 0;
  line.clear();
  for (;;) {
    if (used == filled) {
      used = filled = 0;
      if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof(buffer), &filled, nullptr) || filled == 0) {
        return false;
      }
    }
    char c = buffer[used++];
    if (c == '\n') return true;
    if (c != '\r') line += c;
  }
}

int Echo() {
  std::string line;
  while (GetLine(line)) {
    if (line == "quit") return 0;
    Put("got:" + line + "\r\n");
  }
  return 2;
}

int WhoAmI(int argc, char** argv) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string text = "exe:" + std::string(path, length) + "\r\nargs:";
  for (int i = 2; i < argc; ++i) text += std::string(i > 2 ? "|" : "") + argv[i];
  STARTUPINFOA startup{};
  GetStartupInfoA(&startup);
  text += "\r\nshow:" + std::to_string(startup.wShowWindow) + " flags:" + std::to_string(startup.dwFlags & 0x101);
  text += "\r\nline:" + std::string(GetCommandLineA());
  Put(text + "\r\n");
  return 0;
}

int Pieces() {
  // Every kind of line end, ends split from their lines, NUL bytes, text in
  // UTF-16, and a line longer than any reader should hold.
  static const std::string script[] = {
      std::string("first\r\n"),
      std::string("sec"),
      std::string("ond\n"),
      std::string("third\r"),
      std::string("\nfourth\r\r\n"),
      std::string("fi\0fth\n\0", 8),
      std::string("\n\n"),
      std::string("U\0T\0F\0-\0"
                  "1\0"
                  "6\0\r\0\n\0",
                  16),
      std::string(70000, 'x'),
      std::string("tail"),
  };
  std::string go;
  for (const std::string& piece : script) {
    if (!GetLine(go)) return 2;
    Put(piece);
  }
  return 0;
}

int Lines(long count) {
  std::string chunk;
  chunk.reserve(70000);
  char line[96];
  for (long i = 1; i <= count; ++i) {
    int length = std::snprintf(line, sizeof(line), "[Detail]: step %ld of the scripted run, still going\r\n", i);
    chunk.append(line, static_cast<size_t>(length));
    if (chunk.size() >= 65536) {
      Put(chunk);
      chunk.clear();
    }
  }
  Put(chunk);
  return 0;
}

int Hold(DWORD parent) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, parent);
  if (process == nullptr) return 2;
  WaitForSingleObject(process, INFINITE);
  CloseHandle(process);
  return 0;
}

int Signal(unsigned long long value) {
  return SetEvent(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value))) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  std::string mode = argv[1];
  if (mode == "echo") return Echo();
  if (mode == "whoami") return WhoAmI(argc, argv);
  if (mode == "pieces") return Pieces();
  if (mode == "lines" && argc > 2) return Lines(std::strtol(argv[2], nullptr, 10));
  if (mode == "signal" && argc > 2) return Signal(std::strtoull(argv[2], nullptr, 10));
  if (mode == "hold" && argc > 2) return Hold(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
  return 1;
}
