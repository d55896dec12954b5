#pragma once
// Services of the desktop behind one replaceable interface: opening documents,
// starting programs, listing volumes and querying the printer.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gui {

struct Volume {
    std::string root;   // mount point (UTF-8 path)
    std::string label;  // shown name
};

struct PrinterInfo {
    bool present = false;
    int pageWidthPixels = 0;  // printable width of an A4 portrait page
    int pageHeightPixels = 0;
    int dpi = 0;
    std::string name;
};

class SystemServices {
public:
    virtual ~SystemServices() = default;
    // Opens a document with the desktop's viewer (no shell command is built).
    // `failed` runs on the window thread when no viewer could open it: at once
    // when the file is missing or the desktop has no way to open documents, or
    // later, when the desktop's opener ends in failure.
    virtual void OpenDocument(const std::string& path, std::function<void()> failed);
    // Starts a program with an argument list, not waited for.
    virtual bool StartProgram(const std::string& program, const std::vector<std::string>& args);
    // The mounted volumes a backup can go to.
    virtual std::vector<Volume> ListVolumes();
    // The default printer, or a PDF printer when no system printer is installed.
    virtual PrinterInfo Printer();
    // Screen size in pixels.
    virtual int ScreenWidth();
    virtual int ScreenHeight();
};

SystemServices& System();
// Replaces the services (nullptr restores the desktop's).
void SetSystemServices(std::unique_ptr<SystemServices> services);

}  // namespace gui
