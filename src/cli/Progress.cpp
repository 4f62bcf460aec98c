#include "Progress.h"

#include "Report.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <string_view>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

namespace Cli {

namespace {

// Redrawn at most this often while the jobs run; results are printed at once all the same.
constexpr auto redrawInterval = std::chrono::milliseconds(200);

// Narrower than this, a line would show little of a name beside its percent, and nothing
// at all below 7 columns but lines that wrap.
constexpr std::size_t narrowestTerminal = 12;

sigset_t onlyContinuing()
{
    sigset_t continuing;
    sigemptyset(&continuing);
    sigaddset(&continuing, SIGCONT);
    return continuing;
}

// Whether the process was stopped (Ctrl+Z, or a STOP from elsewhere) and continued since this
// was last asked: the shell has had the terminal meanwhile. SIGCONT is blocked in every thread
// (it continues the process all the same), so it is pending from the moment the process is
// continued, before any of its threads runs again.
bool continuedSinceAsked()
{
    sigset_t pending;
    if (::sigpending(&pending) != 0 || sigismember(&pending, SIGCONT) != 1)
        return false;
    const sigset_t continuing = onlyContinuing();
    int taken = 0;
    ::sigwait(&continuing, &taken); // at once: it is pending, and taken nowhere else
    return true;
}

// Whether the process has the terminal. In the background (started with "&", or after
// "bg") the shell and other jobs write to it meanwhile: the block is neither drawn nor
// erased there.
bool inForeground()
{
    return ::tcgetpgrp(STDERR_FILENO) == ::getpgrp();
}

winsize terminalSize()
{
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0)
        size = {};
    if (size.ws_col == 0)
        size.ws_col = 80;
    if (size.ws_row == 0)
        size.ws_row = 24;
    return size;
}

// The columns a terminal gives a character: none for combining marks (file names from
// some systems are decomposed), two for East Asian wide ones and most emoji.
std::size_t columnsOf(char32_t c)
{
    constexpr std::pair<char32_t, char32_t> none[] = {
        {0x0300, 0x036F}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200B, 0x200F},
        {0x20D0, 0x20FF}, {0x3099, 0x309A}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
    };
    constexpr std::pair<char32_t, char32_t> wide[] = {
        {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
        {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60},
        {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD},
    };
    const auto within = [c](const auto& ranges) {
        return std::any_of(std::begin(ranges), std::end(ranges), [c](const auto& range) { return c >= range.first && c <= range.second; });
    };
    return within(none) ? 0 : within(wide) ? 2 : 1;
}

// A piece of text that is one character on the terminal: its bytes and its columns. A byte
// that is not part of UTF-8 shows as one replacement character.
struct Glyph {
    std::string_view bytes;
    std::size_t columns;
};

std::vector<Glyph> glyphsOf(std::string_view text)
{
    std::vector<Glyph> glyphs;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u;
            if ((next & 0xC0) != 0x80) {
                length = 0;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (length == 0)
            glyphs.push_back({text.substr(i, 1), 1});
        else
            glyphs.push_back({text.substr(i, length), columnsOf(c)});
        i += std::max<std::size_t>(length, 1);
    }
    return glyphs;
}

std::size_t columnsOf(const std::vector<Glyph>& glyphs)
{
    std::size_t columns = 0;
    for (const Glyph& glyph : glyphs)
        columns += glyph.columns;
    return columns;
}

// The text in `columns` columns or fewer: as it is if it fits, else its start and its end with
// "…" between them, the end (where a file's name is) given the larger half.
std::string shortened(const std::vector<Glyph>& glyphs, std::size_t columns)
{
    std::string out;
    if (columnsOf(glyphs) <= columns) {
        for (const Glyph& glyph : glyphs)
            out += glyph.bytes;
        return out;
    }
    const std::size_t kept = columns > 0 ? columns - 1 : 0;
    std::size_t headColumns = 0, head = 0;
    while (head < glyphs.size() && headColumns + glyphs[head].columns <= kept / 2)
        headColumns += glyphs[head++].columns;
    std::size_t tailColumns = 0, tail = glyphs.size();
    while (tail > head && tailColumns + glyphs[tail - 1].columns <= kept - headColumns)
        tailColumns += glyphs[--tail].columns;
    for (std::size_t i = 0; i < head; ++i)
        out += glyphs[i].bytes;
    out += "\u2026";
    for (std::size_t i = tail; i < glyphs.size(); ++i)
        out += glyphs[i].bytes;
    return out + std::string(kept - headColumns - tailColumns, ' ');
}

void writeToTerminal(const std::string& bytes)
{
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t count = ::write(STDERR_FILENO, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        written += static_cast<std::size_t>(count);
    }
}

} // namespace

std::vector<std::string> progressLines(const std::vector<RunningJob>& jobs, std::size_t columns, std::size_t rows)
{
    if (columns < narrowestTerminal || rows < 2)
        return {};
    const std::size_t lineCount = std::min(jobs.size(), rows - 1);
    const std::size_t shown = lineCount < jobs.size() ? lineCount - 1 : lineCount;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < shown; ++i)
        names.push_back(printable(jobs[i].video));
    std::vector<std::vector<Glyph>> glyphs;
    std::size_t widest = 0;
    for (const std::string& name : names) {
        glyphs.push_back(glyphsOf(name));
        widest = std::max(widest, columnsOf(glyphs.back()));
    }
    // The name, a space and the percent (" 42%") in all the columns but the last.
    const std::size_t nameColumns = std::min(widest, columns - 6);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < shown; ++i) {
        char percent[16];
        std::snprintf(percent, sizeof percent, " %3d%%", std::clamp(jobs[i].percent, 0, 99));
        const std::size_t padding = nameColumns - std::min(nameColumns, columnsOf(glyphs[i]));
        lines.push_back(shortened(glyphs[i], nameColumns) + std::string(padding, ' ') + percent);
    }
    if (shown < jobs.size())
        lines.push_back("\u2026 +" + std::to_string(jobs.size() - shown));
    return lines;
}

ProgressDisplay::ProgressDisplay(bool wanted)
{
    const char* terminal = std::getenv("TERM");
    m_closed = !wanted || !::isatty(STDERR_FILENO) || !terminal || !*terminal || std::string_view(terminal) == "dumb";
    if (!m_closed) {
        // Before the jobs' threads start, so that they have it blocked too.
        const sigset_t continuing = onlyContinuing();
        pthread_sigmask(SIG_BLOCK, &continuing, nullptr);
    }
}

ProgressDisplay::~ProgressDisplay()
{
    close();
}

void ProgressDisplay::started(std::size_t job, const std::string& video)
{
    if (m_closed)
        return;
    const std::lock_guard lock(m_mutex);
    m_jobs[job] = {video, 0};
    if (!m_redrawing.joinable())
        m_redrawing = std::jthread([this](std::stop_token stop) { redrawLater(stop); });
    changed();
}

void ProgressDisplay::progressed(std::size_t job, double done)
{
    const std::lock_guard lock(m_mutex);
    const auto running = m_jobs.find(job);
    if (running == m_jobs.end() || !(done >= 0))
        return;
    const int percent = static_cast<int>(std::min(done, 0.99) * 100);
    if (percent > running->second.percent) {
        running->second.percent = percent;
        changed();
    }
}

void ProgressDisplay::ended(std::size_t job)
{
    const std::lock_guard lock(m_mutex);
    if (m_jobs.erase(job) > 0)
        changed();
}

void ProgressDisplay::printAside(const std::function<void()>& printing)
{
    const std::lock_guard terminal(m_terminal);
    if (!m_closed)
        writeToTerminal(erasing());
    printing();
    if (!m_closed)
        writeToTerminal(drawing());
}

void ProgressDisplay::close()
{
    // Not drawn again from here on; erased unless the terminal holds its output (then the
    // process is not kept waiting for it).
    if (!m_closed.exchange(true) && m_terminal.try_lock_for(std::chrono::milliseconds(200))) {
        writeToTerminal(erasing());
        m_terminal.unlock();
    }
    const std::lock_guard lock(m_mutex);
    m_redrawing.request_stop();
}

void ProgressDisplay::suspend()
{
    // Held while stopped, so that no other thread draws the block again before the stop.
    const bool held = !m_closed && m_terminal.try_lock_for(std::chrono::milliseconds(200));
    if (held)
        writeToTerminal(erasing());
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    pthread_sigmask(SIG_UNBLOCK, &stop, nullptr);
    ::raise(SIGTSTP);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    if (held)
        m_terminal.unlock();
}

void ProgressDisplay::changed()
{
    m_stale = true;
    m_changed.notify_all();
}

std::string ProgressDisplay::erasing()
{
    // From the line below the block (where a "^C" is echoed) to the start of its first line,
    // and all below it. Only while those lines are surely the block's: not once the process
    // has been stopped or in the background (the lines above the cursor may be the shell's
    // now), nor once the terminal is too narrow for a line drawn (it wraps, or was rewrapped
    // into more rows).
    const std::size_t lines = std::exchange(m_linesDrawn, 0);
    const bool continued = continuedSinceAsked(); // asked even with nothing drawn: a block follows
    if (lines == 0 || continued || !inForeground() || terminalSize().ws_col <= m_widestDrawn)
        return "";
    return "\r\x1b[" + std::to_string(lines) + "A\x1b[J";
}

std::string ProgressDisplay::drawing()
{
    std::vector<RunningJob> jobs;
    {
        const std::lock_guard lock(m_mutex);
        for (const auto& [job, running] : m_jobs)
            jobs.push_back(running);
        m_drawn = Clock::now();
        m_stale = false;
    }
    m_linesDrawn = 0;
    if (!inForeground())
        return "";
    const winsize size = terminalSize();
    const std::vector<std::string> lines = progressLines(jobs, size.ws_col, size.ws_row);
    std::string bytes;
    m_widestDrawn = 0;
    for (const std::string& line : lines) {
        bytes += line + "\n";
        m_widestDrawn = std::max(m_widestDrawn, columnsOf(glyphsOf(line)));
    }
    m_linesDrawn = lines.size();
    return bytes;
}

void ProgressDisplay::redrawLater(std::stop_token stop)
{
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            if (!m_changed.wait(lock, stop, [this] { return m_stale; }))
                return;
            m_changed.wait_until(lock, stop, m_drawn + redrawInterval, [] { return false; });
            if (stop.stop_requested())
                return;
            if (!m_stale)
                continue; // drawn meanwhile, with a result
        }
        const std::lock_guard terminal(m_terminal);
        if (!m_closed) {
            std::string bytes = erasing();
            writeToTerminal(bytes + drawing());
        }
    }
}

} // namespace Cli
