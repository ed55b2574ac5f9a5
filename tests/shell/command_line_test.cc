// The shell utilities that act on the process itself, observed in child
// processes: CommandLineArgumentsUtf8 in one started with chosen command lines
// (the helper prints what the function made of its own), OpenDebugConsole in
// ones started with and without a console (the helper reports where its
// streams went).
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "win32/handle_traits.h"

namespace {

// The helper program of that name beside this one.
std::wstring HelperPath(const wchar_t* helper) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + helper;
}

// Runs the helper with the given arguments after its quoted path and the given
// creation flags, its standard output and error on one pipe; returns the
// pipe's lines, or a single "failed" line when it could not be run.
std::vector<std::string> RunHelper(const wchar_t* helper, const std::wstring& arguments,
                                   DWORD creation_flags) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inheritable, 0)) {
    return {"failed"};
  }
  const ScopedKernelHandle reader(read_end);
  ScopedKernelHandle writer(write_end);
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

  std::wstring command_line = L"\"" + HelperPath(helper) + L"\"" + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, creation_flags, nullptr,
                      nullptr, &startup, &process)) {
    return {"failed"};
  }
  const ScopedKernelHandle process_handle(process.hProcess);
  const ScopedKernelHandle thread_handle(process.hThread);
  writer.reset();

  std::string output;
  char buffer[256];
  DWORD read = 0;
  while (ReadFile(read_end, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    output.append(buffer, read);
  }
  WaitForSingleObject(process.hProcess, INFINITE);

  std::vector<std::string> lines;
  std::istringstream stream(output);
  for (std::string line; std::getline(stream, line) && !stream.eof();) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(CommandLineArgumentsUtf8, SkipsTheProgramAndConvertsEachArgumentInPlace) {
  const struct {
    const char* name;
    std::wstring arguments;
    std::vector<std::string> printed;
  } cases[] = {
      {"program name only", L"", {}},
      {"two arguments", L" one two", {">6f6e65", ">74776f"}},
      {"quoted argument with spaces", L" \"with space\" x", {">77697468207370616365", ">78"}},
      {"surrogate pair", L" \xd83d\xddb1", {">f09f96b1"}},
      {"unpaired surrogate keeps its position", L" a \xd800 b", {">61", ">", ">62"}},
  };
  for (const auto& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    EXPECT_EQ(RunHelper(L"kovi_print_arguments.exe", test_case.arguments, 0), test_case.printed);
  }
}

// The helper writes "standard output" and "standard error" after the call;
// its report holds what still went to the pipe, then its console's rows.
TEST(OpenDebugConsole, GivesAProcessWithoutAConsoleOneForBothStreamsAndLeavesOthersAlone) {
  const struct {
    const char* name;
    DWORD creation_flags;
    std::vector<std::string> reported;
  } cases[] = {
      {"no console: a new one shows both streams",
       DETACHED_PROCESS,
       {"console: standard output", "console: standard error"}},
      {"a console already: the streams stay where they were",
       CREATE_NO_WINDOW,
       {"standard output", "standard error"}},
  };
  for (const auto& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    EXPECT_EQ(RunHelper(L"kovi_open_debug_console.exe", L"", test_case.creation_flags),
              test_case.reported);
  }
}

}  // namespace
