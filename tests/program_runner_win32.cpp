#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "program_runner.h"

const char kExecutableSuffix[] = ".exe";
// Standard output is in text mode.
const char kLineEnd[] = "\r\n";

namespace {

std::wstring wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
  return text;
}

std::wstring quoted(const std::string& word) { return L"\"" + wide(word) + L"\""; }

}  // namespace

// Through the command interpreter, as a user at a prompt would start it.
// Administrators are not dropped: Windows honours the read-only attribute
// for them too.
RunResult runProgram(const RunRequest& request) {
  std::wstring command = L"cd /d " + quoted(request.workDir.string()) + L" &&";
  for (const auto& assignment : request.environment) command += L" set " + quoted(assignment) + L" &&";
  command += L" " + quoted(request.program);
  for (const auto& arg : request.args) command += L" " + quoted(arg);
  command += L" <NUL";
  if (request.withStandardError) command += L" 2>&1";

  RunResult result;
  std::FILE* pipe = _wpopen(command.c_str(), L"rb");
  if (!pipe) throw std::runtime_error("cannot start: " + request.program);
  result.output = readAll(pipe);
  result.exitStatus = _pclose(pipe);
  return result;
}

// What PAUSE prints here with nobody at the keyboard, through a pipe as in
// the tests: Wine's English and Chinese prompts and Windows' all differ.
const std::string& pausePrompt() {
  static const std::string prompt = [] {
    std::FILE* pipe = _wpopen(L"PAUSE <NUL", L"rb");
    if (!pipe) throw std::runtime_error("cannot run PAUSE");
    std::string text = readAll(pipe);
    _pclose(pipe);
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
