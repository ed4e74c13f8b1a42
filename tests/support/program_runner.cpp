#include "program_runner.h"

#include <fstream>
#include <iterator>

std::string consoleText(const std::string& text) {
  std::string translated;
  for (char c : text) translated += c == '\n' ? std::string(kLineEnd) : std::string(1, c);
  return translated;
}

std::vector<std::string> runEnvironment(const std::vector<std::string>& environment) {
  for (const auto& assignment : environment)
    if (assignment.rfind("LANGUAGE=", 0) == 0) return environment;
  std::vector<std::string> withEnglish = {"LANGUAGE=en"};
  withEnglish.insert(withEnglish.end(), environment.begin(), environment.end());
  return withEnglish;
}

std::string readAll(std::FILE* stream) {
  std::string bytes;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, stream)) > 0;) bytes.append(chunk, n);
  return bytes;
}

Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
