#pragma once

#include <QString>
#include <exception>

namespace krv {

// A failure with a number and a description, reported the way every window of the program
// reports its failures: the number and description go into a fixed message text.
struct Error : std::exception {
    Error(int number, QString description) : number(number), description(std::move(description)) {}
    const char* what() const noexcept override { return "krv::Error"; }
    int number;
    QString description;
};

// Well-known failure numbers the program reports.
namespace errors {
inline constexpr int FileNotFound = 53;
inline constexpr int InputPastEnd = 62;
inline constexpr int TypeMismatch = 13;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int PathNotFound = 76;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int DeviceIo = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InvalidFileFormat = 321;
inline constexpr int EmptyFile = 1222;
inline constexpr int FileExists = 1223;
inline constexpr int IncorrectExtension = 1225;
// The number the data selector reports when the board cannot be brought back from raw data mode.
inline constexpr int PortNotAvailable = 1225;
inline constexpr int IncorrectVersion = 1226;
inline constexpr int FileTooLarge = 1227;
inline constexpr int NotAFile = 1228;
inline constexpr int TextNotWritable = 1229;
inline constexpr int InvalidPortNumber = 8002;
inline constexpr int PortAlreadyOpen = 8005;
inline constexpr int PortNotOpen = 8018;
} // namespace errors

// "Error occured:" number "," description, the line break (CR LF unless given) and the advice.
QString errorMessage(int number, const QString& description, const QString& advice,
                     const QString& lineBreak = QStringLiteral("\r\n"));
inline QString errorMessage(const Error& e, const QString& advice,
                            const QString& lineBreak = QStringLiteral("\r\n")) {
    return errorMessage(e.number, e.description, advice, lineBreak);
}

} // namespace krv
