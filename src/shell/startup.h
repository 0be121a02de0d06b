#pragma once
// The program's start before any screen: the data folder, the supplied files, the help document.
#include <QString>
#include <filesystem>
#include <vector>

class QWidget;

namespace kadelo::shell {

// The folders the supplied files and the help come from, in order: the program's own folder (a
// build tree, a portable copy), then share/kadelo beside it, under /usr/local and under /usr.
std::vector<std::filesystem::path> supplyFolders();
// Replaces the list (tests); an empty list goes back to the program's own.
void setSupplyFolders(std::vector<std::filesystem::path> folders);

// The help document: the copy in the first supply folder that has one, never a copy in the data
// folder (that one would stay old after an upgrade). Empty when there is none.
std::filesystem::path helpDocument();

// Chooses the data folder, fills or upgrades the per-user folder, makes the data folder current and
// removes the temporary files a killed save left there. When the data folder cannot be prepared it
// shows a critical message naming the folder and the reason, and returns false: the program must
// end then, having written nothing. Entries added by an upgrade are announced once.
bool prepareDataFolder(const QString& userFolder);

} // namespace kadelo::shell
