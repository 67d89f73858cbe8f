#include "TestSupport.h"

#include "TesseletVersion.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <linux/capability.h>
#include <sstream>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

TempDir::TempDir()
    : mPath((std::filesystem::temp_directory_path() / "tesselet-test-XXXXXX").string()) {
    if (::mkdtemp(mPath.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(mPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(mPath, ignored);
}

std::string MakeFullDevice(const std::string& folder) {
    const std::string path = folder + "/full";
    if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        std::filesystem::create_symlink("/dev/full", path);
    return path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

QImage MakePicture(int width, int height, const std::function<PixelColor(int, int)>& colour) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, colour ? colour(x, y) : qRgb((x + 16 * y) & 0xFF, 0, 0));
    return picture;
}

static std::string Drain(int fd) {
    std::string all = ReadBytes("/proc/self/fd/" + std::to_string(fd)); // from its start
    ::close(fd);
    return all;
}

CliRun RunCli(const std::vector<std::string>& arguments, const CliSetup& setup) {
    // A program that ends before it has read all its input must not take the test with it.
    std::signal(SIGPIPE, SIG_IGN);
    // fork and exec rather than QProcess: arguments as bytes, standard input any descriptor.
    const int out = ::memfd_create("out", MFD_CLOEXEC), err = ::memfd_create("err", MFD_CLOEXEC);
    int in[2] = {setup.inputFd, -1};
    if (out < 0 || err < 0 || (setup.inputFd < 0 && ::pipe2(in, O_CLOEXEC) != 0))
        throw std::runtime_error("no descriptors");
    std::vector<char*> argv = {const_cast<char*>(setup.program.c_str())}; // execv changes none
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (setup.inChild)
            setup.inChild();
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (setup.inputFd < 0)
        for (const int fd : in)
            ::close(fd);
    if (setup.whileRunning)
        setup.whileRunning(pid);
    int status = 0;
    TEMP_FAILURE_RETRY(::waitpid(pid, &status, 0));
    return {WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), Drain(out),
            Drain(err)};
}

void DropCapabilities() {
    if (::geteuid() != 0)
        return;
    // Root keeps its capabilities across exec unless they leave the bounding set.
    for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
        if (::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0)
            ::_exit(125);
}

std::vector<std::vector<std::string>> Table(const std::string& table, std::size_t fields) {
    const std::pair<std::string, std::string> names[] = {{"{src}", TESSELET_SOURCE_DIR},
                                                         {"{bin}", TESSELET_BIN_DIR},
                                                         {"{version}", TESSELET_VERSION_TEXT},
                                                         {"\\n", "\n"}};
    std::ifstream file(TESSELET_SOURCE_DIR "/tests/data/" + table);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with('#'))
            continue;
        for (const auto& [name, value] : names)
            for (auto at = line.find(name); at != line.npos;
                 at = line.find(name, at + value.size()))
                line.replace(at, name.size(), value);
        for (auto at = line.find("\\x"); at != line.npos; at = line.find("\\x", at + 1))
            line.replace(at, 4, 1,
                         static_cast<char>(std::stoi(line.substr(at + 2, 2), nullptr, 16)));
        std::istringstream text(line);
        std::vector<std::string>& row = rows.emplace_back();
        for (std::string field; std::getline(text, field, '\t');)
            row.push_back(field);
        row.resize(fields); // the last fields may be empty
    }
    return rows;
}
