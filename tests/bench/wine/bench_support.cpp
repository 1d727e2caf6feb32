// The benchmarks' shared pieces: statistics, timed captures, helper programs, rows.
#include "bench_support.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace bench {

double Samples::median() const {
    if (values_.empty()) return 0;
    std::vector<double> v = values_;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Samples::percentile(double p) const {
    if (values_.empty()) return 0;
    std::vector<double> v = values_;
    std::sort(v.begin(), v.end());
    const size_t rank = size_t(std::ceil(p / 100.0 * double(v.size())));
    return v[std::min(v.size(), std::max<size_t>(rank, 1)) - 1];
}

double Samples::min() const { return values_.empty() ? 0 : *std::min_element(values_.begin(), values_.end()); }
double Samples::max() const { return values_.empty() ? 0 : *std::max_element(values_.begin(), values_.end()); }

bool shoot(HWND window, Shot& shot) {
    const double begin = driver::nowMs();
    if (!driver::capture(window, shot.pixels)) return false;
    shot.at = (begin + driver::nowMs()) / 2;
    return true;
}

bool pixelAt(HWND window, int x, int y, uint32_t& colour, double& at) {
    const double begin = driver::nowMs();
    const HDC dc = GetDC(window);
    if (dc == nullptr) return false;
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    if (pixel == CLR_INVALID) return false;
    at = (begin + driver::nowMs()) / 2;
    colour = driver::rgb(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel));
    return true;
}

bool differsIn(const driver::Capture& a, const driver::Capture& b, RECT area) {
    if (a.width != b.width || a.height != b.height) return true;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (a.at(x, y) != b.at(x, y)) return true;
    return false;
}

bool blackIn(const driver::Capture& c, RECT area) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (c.at(x, y) != 0) return false;
    return true;
}

namespace {

std::wstring folderOfThisProgram() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    const size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

}  // namespace

bool startHelper(Helper& helper, const std::wstring& name, const std::wstring& arguments,
                 const std::wstring& outputPath) {
    const std::wstring exe = folderOfThisProgram() + L"\\" + name;
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    BOOL inherit = FALSE;
    if (!outputPath.empty()) {
        SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
        helper.output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (helper.output == INVALID_HANDLE_VALUE) return false;
        helper.outputPath = outputPath;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = helper.output;
        startup.hStdError = helper.output;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        inherit = TRUE;
    }
    return CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, inherit, 0, nullptr, nullptr, &startup,
                          &helper.process) != 0;
}

std::string finish(Helper& helper, DWORD timeoutMs) {
    if (helper.process.hProcess != nullptr) {
        if (WaitForSingleObject(helper.process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
            TerminateProcess(helper.process.hProcess, 1);
            WaitForSingleObject(helper.process.hProcess, driver::kDefaultTimeoutMs);
        }
        CloseHandle(helper.process.hProcess);
        CloseHandle(helper.process.hThread);
    }
    helper.process = PROCESS_INFORMATION{};
    if (helper.output != INVALID_HANDLE_VALUE) CloseHandle(helper.output);
    helper.output = INVALID_HANDLE_VALUE;
    std::vector<uint8_t> bytes;
    if (helper.outputPath.empty() || !driver::readFile(helper.outputPath, bytes)) return {};
    return std::string(bytes.begin(), bytes.end());
}

HWND waitForWindowOf(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
    HWND found = nullptr;
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    // A millisecond between looks: a start-up is timed from here.
    while (found == nullptr && GetTickCount64() < end) {
        found = driver::findWindow(processId, className);
        if (found == nullptr) Sleep(1);
    }
    return found;
}

void printRow(const Row& row) {
    std::printf("row\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", row.key.c_str(), row.section.c_str(), row.measure.c_str(),
                row.measured.c_str(), row.reference.c_str(), row.ratio.c_str(), row.target.c_str(),
                row.verdict.c_str());
    std::fflush(stdout);
}

void printNote(const std::string& text) {
    std::printf("note\t%s\n", text.c_str());
    std::fflush(stdout);
}

std::string format(const char* pattern, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(text, sizeof text, pattern, arguments);
    va_end(arguments);
    return text;
}

}  // namespace bench
