#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

class QAction;

// The update check: a small version file on the update source names the published version and its
// installer; a newer one is announced in the project window's update menu item.
namespace hm {

// The working values of the update code. They keep their values between checks.
extern QString THISAPP;  // the program's file name without folder and extension
extern QString THISVER;  // the running version, normalised
extern QString TEMPFLD;  // the work folder: TMP + "\Quorvale\" + THISAPP + "\"
extern QString URL;      // the version file's address, then the installer's
extern QString TEMPVER;  // the local copy of the version file
extern QString REPOVER;  // the published version, normalised
extern QString REPOINS;  // the installer's file name (line 2 of the version file)
extern QString REPOSIG;  // the installer's base64 Ed25519 signature (line 3), or empty
extern QString TEMPINS;  // where the installer is saved
// The public key that installers must be signed with, from the build; empty: no check.
extern QString UPDATEKEY;

// The caption that announces an update; the project window looks for it when the item is clicked.
extern const QString kUpdateAvailable;

// Downloads are capped so that a hostile source cannot fill the disk.
inline constexpr std::int64_t kVersionFileMaxBytes = 64 * 1024;
inline constexpr std::int64_t kInstallerMaxBytes = std::int64_t{1} << 30;

// "1.0.3.12" -> "0001.0000.0003.0012", so that two versions compare as plain texts. Nothing when
// one of the first four fields is missing or not an integer.
std::optional<QString> FmtVersion(const QString& AVERSION);

// What a downloaded version file says. Line 1 is the published version, line 2 the installer's
// file name, line 3 (optional) its signature; later lines are ignored.
struct VersionInfo {
  enum class Status {
    Ok,
    Unprocessable,  // fewer than two lines, or an installer name that is not a plain file name
    NotAVersion,    // line 1 is not a version: the check ends without a word
  };
  Status status = Status::Unprocessable;
  QString version;    // normalised (FmtVersion)
  QString installer;  // as published
  QString signature;  // trimmed; empty when the file has no third line
};

// Reads the bytes of a version file (UTF-8, lines ended by CRLF, LF or CR).
VersionInfo parseVersionInfo(const QByteArray& bytes);

// Clears the menu item and prepares THISAPP, THISVER, TEMPFLD and UPDATEKEY. On a failure the
// user is warned, the failed step is logged, and the result is false.
bool InitAll(QAction* menuItem);

// Downloads the version file and announces a newer version in the menu item; true exactly when it
// did. Failures are warned about and logged; without an update source nothing happens at all.
bool FindUpdate(QAction* menuItem);

// Downloads the installer named by the last check, from the version file's folder, into TEMPFLD;
// with a key built in, its signature must match too. True when it is ready to start.
bool ExecUpdate();

// An installer name from the network becomes part of a local path: only a plain file name passes,
// with no folder part, "..", drive mark or control character.
bool installerNameAcceptable(const QString& name);

// Whether `signatureBase64` is the Ed25519 signature of the file's bytes under `publicKeyBase64`.
bool verifyInstaller(const QString& path, const QString& signatureBase64,
                     const QString& publicKeyBase64);

}  // namespace hm
