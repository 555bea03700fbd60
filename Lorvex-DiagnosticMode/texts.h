// Every fixed text of the launcher, byte for byte. Message texts are
// Windows-1252: bytes above 0x7F are written as escapes, and a literal is
// split after an escape wherever a hex digit follows.
#ifndef LORVEX_TEXTS_H
#define LORVEX_TEXTS_H

#include <string>

namespace lorvex {

// Names of the files and directories below the working directory.
inline constexpr char kPortableDirectory[] = "Zantiq-Portable";
inline constexpr char kInnerDirectory[] = "zantiq";
inline constexpr char kTraceLogName[] = "Zantiq-Portable-DiagnosticMode.log";
inline constexpr char kDiagnosticLogPrefix[] = "diagnostic.log.";
inline constexpr char kDefaultPropertyFile[] = "portable.properties";
inline constexpr char kJavaRuntime[] = "java\\bin\\java.exe";
inline constexpr char kPropertyEndMarker[] = "/**";

// Trace lines, in the order of a run.
inline constexpr char kTraceStarting[] = "Starting ...";
inline constexpr char kTraceCheckForParams[] = "check for params";
inline constexpr char kTraceLoadAnotherPropertyFile[] = "load another property file";
inline constexpr char kTraceExtractProperty[] = "extract property";
inline constexpr char kTraceTryToLoadProperties[] = "try to load the properties";
inline constexpr char kTraceLoadPropertyFile[] = "load property file";
inline constexpr char kTraceExecuteCommand[] = "execute command";
inline constexpr char kTraceDirExists[] = "dir exists: ";
inline constexpr char kTracePathIsWrong[] = "something is wrong with the path: ";
inline constexpr char kTraceLogPathCreated[] = "diagnostic.log path created!";
inline constexpr char kTraceTryToCreateFile[] = "try to create file";
inline constexpr char kTraceFileCreated[] = "file created!";
inline constexpr char kTraceCouldNotCreateFile[] = "could not create file";
inline constexpr char kTraceTryToCreateProcess[] = "try to create process";
inline constexpr char kTraceProcessCreated[] = "process created";

// Message box titles and fixed messages.
inline constexpr char kTitleError[] = "Error";
inline constexpr char kTitleInformation[] = "Information";
inline constexpr char kMessageNoWorkingDirectory[] =
    "Konnte das aktuelle Verzeichnis nicht finden, in dem die Applikation "
    "gestartet wurde!";
inline constexpr char kMessageCannotStart[] = "Kann die Applikation nicht starten!";

// The header that starts each run's record in the diagnostic log; the
// command line and CR LF follow it.
inline constexpr char kLogHeader[] = "\r\n----------\r\n";
inline constexpr char kLineEnd[] = "\r\n";

// "Konnte die Datei " + name + " nicht finden!"
std::string missingFileMessage(const std::string& name);

// "Konnte das Verzeichns '" + path + "' nicht anlegen!", the misspelling kept
// as users and the support desk know the message.
std::string directoryNotCreatedMessage(const std::string& path);

// The 13 lines that tell the user what diagnostic mode is, joined by LF alone
// with no LF after the last; line 11 holds the support desk's address.
std::string informationMessage();

}  // namespace lorvex

#endif
