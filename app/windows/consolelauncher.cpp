// cvstacker.com, the console face of cvstacker.exe. A command prompt finds "cvstacker" as this file
// first (.COM comes before .EXE), waits for it and reads its exit status, which it does not do for a
// Windows program. It starts cvstacker.exe beside it with the same arguments and the prompt's own
// standard handles, waits, and hands back the exit status.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The command line after the program's own name, as CommandLineToArgvW would skip it.
const wchar_t* afterProgramName(const wchar_t* line) {
    bool quoted = false;
    for (; *line; ++line) {
        if (*line == L'"') quoted = !quoted;
        if (!quoted && (*line == L' ' || *line == L'\t')) break;
    }
    return line;
}

} // namespace

int wmain() {
    std::wstring exe(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, exe.data(), DWORD(exe.size()));
    exe.resize(length);
    const std::size_t dot = exe.find_last_of(L'.');
    exe = exe.substr(0, dot) + L".exe";
    std::wstring line = L"\"" + exe + L"\"" + afterProgramName(::GetCommandLineW());

    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process)) {
        std::fwprintf(stderr, L"cvstacker: %ls could not be started (error %lu).\n", exe.c_str(), ::GetLastError());
        return 2;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 2;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return int(status);
}
