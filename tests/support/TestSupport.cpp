#include "TestSupport.h"

#include "templates/modSourceAndTemplates.h"
#include "writers/modUTF8.h"

#include <QProcess>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <linux/capability.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
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
    return UTF8Decode(utf8);
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

void FakeReporter::ShowError(const CError& pending, std::int32_t style, std::int32_t,
                             const std::u16string& message) {
    errors.push_back({pending.Number(), pending.Description(), style, message});
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

FakePictureBox::FakePictureBox(int w, int h, std::function<PixelColor(int, int)> c)
    : width(static_cast<float>(w)), height(static_cast<float>(h)), colour(std::move(c)) {}

PixelColor FakePictureBox::Point(float X, float Y) const {
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    if (x == failAtX && y == failAtY)
        throw CError(380, u"Invalid property value");
    return colour ? colour(x, y) : static_cast<PixelColor>(x + 16 * y);
}

CliRun RunCli(const std::vector<std::string>& arguments, const std::function<void()>& inChild) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    QProcess process;
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(TESSELET_BIN_DIR "/tesselet-cli"), list);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
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
