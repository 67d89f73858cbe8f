#include "TestSupport.h"

#include "CError.h"
#include "modSourceAndTemplates.h"
#include "modUTF8.h"

#include <QString>
#include <QStringList>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/capability.h>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tesselet-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    mPath = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(mPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(mPath, ignored);
}

std::u16string TempDir::File16(const std::string& name) const {
    return U16(File(name));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::u16string U16(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
}

std::string U8(const std::u16string& text) {
    const auto bytes = StringToUTF8(text);
    return std::string(bytes.begin(), bytes.end());
}

TemplatesScope::TemplatesScope(const std::u16string& head, const std::u16string& tail,
                               const std::u16string& source)
    : mHead(gTemplateHead), mTail(gTemplateTail), mSource(gSourceText), mLength(gSourceTextLength) {
    gTemplateHead = head;
    gTemplateTail = tail;
    gSourceText = source;
    gSourceTextLength = static_cast<std::int32_t>(source.size());
}

TemplatesScope::~TemplatesScope() {
    gTemplateHead = mHead;
    gTemplateTail = mTail;
    gSourceText = mSource;
    gSourceTextLength = mLength;
}

void FakeReporter::ShowError(const CError& pending, const std::u16string& message) {
    errors.push_back({pending.Number(), pending.Description(), message});
    uiCalls.push_back("error");
}

void FakeReporter::SetMousePointer(std::int32_t pointer) {
    uiCalls.push_back("pointer " + std::to_string(pointer));
}

void FakeReporter::RepaintMainWindow() {
    uiCalls.push_back("repaint");
}

void FakeReporter::MsgBox(const std::u16string& text, std::int32_t style) {
    boxes.emplace_back(text, style);
    uiCalls.push_back("box");
}

QImage MakePicture(int width, int height, const std::function<PixelColor(int, int)>& colour) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = colour ? colour(x, y) : qRgb((x + 16 * y) & 0xFF, 0, 0);
    }
    return picture;
}

void FailAtPixel::WritePixel(PixelColor Color, std::int32_t X, std::int32_t Y) {
    if (X == mX && Y == mY)
        throw CError(61, u"Disk full");
    mInner.WritePixel(Color, X, Y);
}

CliRun RunCli(const std::vector<std::string>& arguments, const std::function<void()>& inChild) {
    CliSetup setup;
    setup.inChild = inChild;
    return RunCli(arguments, setup);
}

CliRun RunCli(const std::vector<std::string>& arguments, const CliSetup& setup) {
    // A program that ends before it has read all its input must not take the test with it.
    std::signal(SIGPIPE, SIG_IGN);
    // fork and exec rather than QProcess: arguments are passed as bytes, and standard input and
    // output can be any descriptor a test sets up.
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> argvStrings = {TESSELET_BIN_DIR "/tesselet-cli"};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argvStrings)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(setup.inputFd >= 0 ? setup.inputFd : in[0], 0);
        ::dup2(setup.outputFd >= 0 ? setup.outputFd : out[1], 1);
        ::dup2(err[1], 2);
        if (setup.inChild)
            setup.inChild();
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    if (setup.whileRunning)
        setup.whileRunning(pid);

    CliRun run{-1, 0, {}, {}};
    std::size_t written = 0;
    int toChild = in[1];
    if (setup.input.empty() || setup.inputFd >= 0) {
        ::close(toChild);
        toChild = -1;
    } else {
        ::fcntl(toChild, F_SETFL, O_NONBLOCK);
    }
    // The program may fill one pipe while the test still writes to another: serve all three.
    std::vector<pollfd> fds;
    for (;;) {
        fds.clear();
        if (toChild >= 0)
            fds.push_back({toChild, POLLOUT, 0});
        if (out[0] >= 0)
            fds.push_back({out[0], POLLIN, 0});
        if (err[0] >= 0)
            fds.push_back({err[0], POLLIN, 0});
        if (fds.empty())
            break;
        if (::poll(fds.data(), fds.size(), 120000) <= 0) {
            ::kill(pid, SIGKILL);
            break;
        }
        for (const pollfd& fd : fds) {
            if (fd.revents == 0)
                continue;
            if (fd.fd == toChild) {
                const ssize_t n =
                    ::write(toChild, setup.input.data() + written, setup.input.size() - written);
                if (n > 0)
                    written += static_cast<std::size_t>(n);
                if (n < 0 || written == setup.input.size()) {
                    ::close(toChild);
                    toChild = -1;
                }
                continue;
            }
            char buffer[65536];
            const ssize_t n = ::read(fd.fd, buffer, sizeof buffer);
            std::string& into = fd.fd == out[0] ? run.out : run.err;
            if (n > 0) {
                into.append(buffer, static_cast<std::size_t>(n));
            } else {
                (fd.fd == out[0] ? out[0] : err[0]) = -1;
                ::close(fd.fd);
            }
        }
    }
    if (toChild >= 0)
        ::close(toChild);
    if (out[0] >= 0)
        ::close(out[0]);
    if (err[0] >= 0)
        ::close(err[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        run.signal = WTERMSIG(status);
    return run;
}

void DropCapabilities() {
    if (::geteuid() != 0)
        return;
    // Root keeps its capabilities across exec unless they leave the bounding set.
    for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
        if (::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0)
            ::_exit(125);
}

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}
