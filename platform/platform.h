#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The services the program asks of the operating system. Production uses the Qt implementation;
// tests use a scripted one that answers from a queue and records every question.
class Platform {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Yes, No, Cancel };

    virtual ~Platform() = default;

    // A Yes/No message box; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title, Icon icon = Icon::None) = 0;
    // A Yes/No/Cancel message box. Escape and the window's close box answer Cancel, so a question
    // whose No lets go of something can always be backed out of.
    virtual Answer askYesNoCancel(const QString& text, const QString& title, Icon icon = Icon::None) = 0;
    // An OK message box.
    virtual void tell(const QString& text, const QString& title, Icon icon = Icon::None) = 0;
    // Save-style file dialog; nothing on cancel. filter is "description|pattern".
    virtual std::optional<QString> chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                                                  const QString& proposedName) = 0;
    // Open-style file dialog; nothing on cancel.
    virtual std::optional<QString> chooseOpenFile(const QString& title, const QString& folder, const QString& name,
                                                  const QString& filter) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    // Starts a program with an argument list, never through a shell; false when it could not start.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
    // Today's date in the system's short format.
    virtual QString shortDate() = 0;
    // Folder of the running executable.
    virtual QString programFolder() = 0;
    // The parts folder: C:\cvparts on Windows, ~/cvparts elsewhere (native separators).
    virtual QString partsFolder() = 0;
};

// For the command-line modes: where the program was started from a command prompt without its output
// redirected, its standard output and error go to that prompt's console (a Windows program has none of
// its own). Nothing elsewhere, nor for the window, which must not die with the prompt it came from.
void attachToCallersConsole();

// Process-wide settings made once at start, before any file is written: a write past the system's
// file-size limit fails with its error, and so reaches the user, rather than ending the program.
void setUpProcess();

// For pictures and pages drawn without a window (the job sheet, the images): Qt's offscreen platform
// reads fonts from a folder, which on Windows is the system's own Fonts folder. Nothing elsewhere,
// where it asks the system's font configuration.
void useSystemFontsOffscreen();

// Ends the program with status, once everything is written and closed; returns status where the
// program may simply return it. On Windows the MinGW runtime can wait for ever while it unloads its
// DLLs after Qt made a thread-local object on the main thread (a style's animation timer, a
// regular expression's stack), so the process ends there without unloading them.
int endProcess(int status);

// The per-user folder (not created here), where stacker.ini goes unless a portable copy already
// sits beside the program: the roaming application data on Windows, the configuration folder elsewhere.
QString userSettingsFolder();

// The user's own templates: "templates" in the per-user data folder (not created here), in native
// separators; empty when the system names no such folder.
QString userTemplatesFolder();

// The per-user settings file (window size, panes, recent files): cvstacker.conf under the user's
// configuration folder, or cvstacker.ini in userSettingsFolder() on Windows; found without opening anything.
QString userSettingsFile();

// True when a file can be created in folder. Probed by creating one: permission bits alone say
// nothing for root, on a read-only mount or under Windows ACLs.
bool canCreateFilesIn(const QString& folder);

// True for a folder the system's packages and its administrator install into (/usr, /opt, /etc and
// the like; on Windows the Program Files folders, the Windows folder and ProgramData; links
// followed), which the program never writes into, even as an administrator or root.
bool isSystemFolder(const QString& folder);

// The default parts folder of this platform, in native separators.
QString defaultPartsFolder();

// How this platform compares file and folder names: without regard to case on Windows, exactly elsewhere.
Qt::CaseSensitivity fileNameCaseSensitivity();
