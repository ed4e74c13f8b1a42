#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "program_runner.h"

const char kExecutableSuffix[] = ".exe";
// Standard output is in text mode.
const char kLineEnd[] = "\r\n";

namespace {

// Wine now and then fails to start a process (about once in 500 starts
// here). The command interpreter then calls the program unknown (status
// 9009), or, when it was PAUSE's interpreter that did not start, the prompt
// is missing. Such a run tells nothing about the program, so it is made
// again, at most twice.
constexpr int kNotStarted = 9009;
constexpr int kAttempts = 3;

std::wstring wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
  return text;
}

std::wstring quoted(const std::string& word) { return L"\"" + wide(word) + L"\""; }

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// What a command the interpreter runs writes to standard output.
std::string readCommand(const std::wstring& command, int& status) {
  std::FILE* pipe = _wpopen(command.c_str(), L"rb");
  if (!pipe) throw std::runtime_error("cannot start the command interpreter");
  std::string output = readAll(pipe);
  status = _pclose(pipe);
  return output;
}

}  // namespace

// Through the command interpreter, as a user at a prompt would start it.
// Administrators are not dropped: Windows honours the read-only attribute
// for them too.
RunResult runProgram(const RunRequest& request) {
  std::wstring command = L"cd /d " + quoted(request.workDir.string()) + L" &&";
  for (const auto& assignment : runEnvironment(request.environment)) command += L" set " + quoted(assignment) + L" &&";
  command += L" " + quoted(request.program);
  for (const auto& arg : request.args) command += L" " + quoted(arg);
  command += L" <NUL";
  if (request.withStandardError) command += L" 2>&1";
  if (!request.standardErrorFile.empty()) command += L" 2>\"" + request.standardErrorFile.wstring() + L"\"";

  RunResult result;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    result.output = readCommand(command, result.exitStatus);
    const bool started = result.exitStatus != kNotStarted;
    if (started && (!request.endsWithPause || endsWith(result.output, pausePrompt()))) break;
    std::printf("[Wine did not start a process; running %s again]\n", request.program.c_str());
  }
  if (!request.standardErrorFile.empty()) result.errors = readFile(request.standardErrorFile);
  return result;
}

// What PAUSE prints here with nobody at the keyboard, through a pipe as in
// the tests: Wine's English and Chinese prompts and Windows' all differ.
const std::string& pausePrompt() {
  static const std::string prompt = [] {
    int status = 0;
    std::string text;
    for (int attempt = 1; attempt <= kAttempts && text.empty(); ++attempt)
      text = readCommand(L"PAUSE <NUL", status);
    return text;
  }();
  return prompt;
}

std::string consoleBytes(const fs::path::string_type& native) {
  const int length = WideCharToMultiByte(CP_ACP, 0, native.data(), static_cast<int>(native.size()), nullptr,
                                         0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, native.data(), static_cast<int>(native.size()), bytes.data(), length,
                      nullptr, nullptr);
  return bytes;
}

fs::path builtProgramsDir() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(std::wstring(path, length)).parent_path();
}
