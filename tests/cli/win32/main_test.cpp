// korvel-cli.exe as a user runs it: exit status, standard error, the file it
// leaves; Windows paths in --output.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "tests/support/worked_example.h"

namespace korvel {
namespace {

using testing::readFile;
using testing::TempDir;

struct Outcome {
  DWORD status;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  // Runs korvel-cli in the test's folder, standard error into a file, and
  // standard output with it unless `output` is given. The arguments are UTF-8
  // and reach it as typed, through the wide command line.
  Outcome run(const std::vector<std::string>& args, HANDLE output = nullptr) {
    std::string command = std::string("\"") + KORVEL_CLI + "\"";
    for (const auto& arg : args) command += " \"" + arg + "\"";
    std::wstring wideCommand = wide(command);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::string errName = dir.file(".err");
    HANDLE err = ::CreateFileA(errName.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output != nullptr ? output : err;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const std::wstring folder = dir.path().wstring();
    if (!::CreateProcessW(nullptr, wideCommand.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                          &process)) {
      ::CloseHandle(err);
      ADD_FAILURE() << "cannot start " << command;
      return {~0u, {}};
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(err);
    return {status, readFile(errName)};
  }
  static std::wstring wide(const std::string& utf8) {
    std::wstring text(static_cast<std::size_t>(
                          ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0)),
                      L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                          static_cast<int>(text.size()));
    return text;
  }
  // The bytes of a file named in UTF-8, relative to the test's folder; empty when there is none.
  std::string contentsOf(const std::string& utf8Name) {
    std::ifstream in(dir.path() / std::filesystem::path(wide(utf8Name)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static std::vector<std::string> workedExample(const std::string& output) {
    return {"-a", "1", "-f", "10", "-d", "0", "-t", "0.2", "-r", "100", "-o", output};
  }

  TempDir dir;
};

TEST_F(CliTest, WindowsPathsNameTheFolderAndTheFile) {
  std::filesystem::create_directories(dir.file("sub\\deeper"));
  const std::string full = std::filesystem::path(dir.file("full.txt")).make_preferred().string();
  const std::string drive = full.substr(0, 2);  // "C:" or "Z:"
  const std::string inUnc = "\\\\?\\" + std::filesystem::path(dir.file("unc.txt")).make_preferred().string();
  for (const std::string& output :
       {std::string("sub\\deeper\\back.txt"), std::string("sub/deeper/slash.txt"),
        std::string("sub\\deeper/..\\mixed.txt"), full, drive + "drive-relative.txt", inUnc}) {
    SCOPED_TRACE(output);
    const Outcome outcome = run(workedExample(output));
    EXPECT_EQ(outcome.status, 0u) << outcome.err;
  }
  for (const char* written : {"sub\\deeper\\back.txt", "sub\\deeper\\slash.txt", "sub\\mixed.txt", "full.txt",
                              "drive-relative.txt", "unc.txt"}) {
    EXPECT_EQ(readFile(dir.file(written)), kWorkedExampleFile) << written;
  }
}

// "-o -" writes to standard output; a reader that has gone ends it silently
// with the status a shell gives a program ended by a broken pipe.
TEST_F(CliTest, DashWritesToStandardOutput) {
  const Outcome piped = run(workedExample("-"));
  EXPECT_EQ(piped.status, 0u);
  EXPECT_EQ(piped.err.rfind(kWorkedExampleFile, 0), 0u) << "the rows, then the notes: " << piped.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("-")));

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE reader = nullptr;
  HANDLE writer = nullptr;
  ASSERT_TRUE(::CreatePipe(&reader, &writer, &inherit, 0));
  ::CloseHandle(reader);
  const Outcome gone = run({"-f", "10", "-t", "200", "-r", "10000", "-o", "-"}, writer);
  ::CloseHandle(writer);
  EXPECT_EQ(gone.status, 141u);
  EXPECT_EQ(gone.err, "");
}

TEST_F(CliTest, FailuresEndInTheirStatusAndAMessage) {
  const Outcome missing = run(workedExample("no\\such\\x.txt"));
  EXPECT_EQ(missing.status, 1u);
  EXPECT_EQ(missing.err.rfind("korvel-cli: Could not open the file \"no\\such\\x.txt\": ", 0), 0u) << missing.err;

  testing::writeFile(dir.file("busy.txt"), "in use");
  HANDLE holder = ::CreateFileA(dir.file("busy.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const Outcome busy = run(workedExample("busy.txt"));
  ::CloseHandle(holder);
  EXPECT_EQ(busy.status, 1u);
  EXPECT_EQ(busy.err, "korvel-cli: Could not open the file \"busy.txt\": The file is in use by another program.\n");
  EXPECT_EQ(readFile(dir.file("busy.txt")), "in use");

  EXPECT_EQ(run({"--bad"}).status, 2u);
  auto tooShort = workedExample("short.txt");
  tooShort[7] = "0.1";
  const Outcome warned = run(tooShort);
  EXPECT_EQ(warned.status, 3u);
  EXPECT_EQ(warned.err, " Warning: Recommended duration >     0.15\n");
}

// Names and texts beyond the system's old code page reach korvel-cli unchanged,
// as on Linux: no question marks, no look-alike letters, no slash made of a
// division slash, no digits made of full-width ones.
TEST_F(CliTest, NamesAndTextsOutsideAsciiAreTakenAsTyped) {
  for (const std::string name :
       {"\u041f\u0440\u0438\u0432\u0435\u0442.txt", "\uff46\uff55\uff4c\uff4c.txt", "x\u2215y.txt"}) {
    const Outcome outcome = run(workedExample(name));
    EXPECT_EQ(outcome.status, 0u) << name << outcome.err;
    EXPECT_EQ(contentsOf(name), kWorkedExampleFile) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("full.txt")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("x")));

  auto fullWidthDuration = workedExample("short.txt");
  fullWidthDuration[7] = "\uff11\uff10";  // read as 0, as on Linux: too short
  const Outcome outcome = run(fullWidthDuration);
  EXPECT_EQ(outcome.status, 3u);
  EXPECT_NE(outcome.err.find(" Warning: Recommended duration >     0.15"), std::string::npos) << outcome.err;
}

// Folders deeper than 260 characters, named in full, with \\?\, or from the
// current folder.
TEST_F(CliTest, PathsBeyond260CharactersAreWritten) {
  std::string relative;
  for (char letter : {'a', 'b', 'c', 'd', 'e', 'f'}) relative += std::string(50, letter) + "\\";
  std::filesystem::create_directories(dir.path() / relative);
  const std::string full = std::filesystem::path(dir.path() / relative).make_preferred().string();
  ASSERT_GT(full.size(), 300u);
  const std::string outputs[] = {full + "full.txt", "\\\\?\\" + full + "unc.txt", relative + "relative.txt"};
  for (const std::string& output : outputs) {
    const Outcome outcome = run(workedExample(output));
    EXPECT_EQ(outcome.status, 0u) << output << "\n" << outcome.err;
  }
  for (const char* name : {"full.txt", "unc.txt", "relative.txt"}) {
    EXPECT_EQ(contentsOf(relative + name), kWorkedExampleFile) << name;
  }
}

}  // namespace
}  // namespace korvel
