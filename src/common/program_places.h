// Where the program keeps its files. A program in a folder its user can write to (the build
// folder, a copied folder) keeps everything beside its program file; an installed one keeps
// its settings in the user's configuration folder and starts with the user's pictures folder.
#pragma once

#include <QString>

// The settings file's name, spelled as the program has always spelled it.
inline constexpr const char* kSettingsFileName = "defualt.ini";

struct ProgramPlaces {
    // The program file's folder, ending in '/'.
    QString programFolder;
    // Where the settings file and the update note live, ending in '/'. Created when a file
    // is written there (see EnsureFolder).
    QString settingsFolder;
    // The picture folder of a first start, ending in '/'; empty when not looked up yet
    // (FindProgramPlaces).
    QString pictureFolder;
    // True when everything lives beside the program file.
    bool besideProgram = true;

    // Everything in `folder` (an absolute path), as for a program the user can write to.
    static ProgramPlaces Beside(const QString& folder);
    QString settingsFile() const;
};

// The places for a program in `programFolder`: beside it when the user may write there and
// it is not one of the system's program folders (/usr/bin, /usr/local/bin, ...), otherwise
// $XDG_CONFIG_HOME/<program id>/ (~/.config when unset) for the settings and the user's pictures
// folder (`xdg-user-dir PICTURES`, else the home folder) for pictures. Without `lookUpPictures` an
// installed program's pictureFolder stays empty: asking the desktop starts a process, which a
// caller that may not need the folder leaves to later (UserPicturesFolder()).
ProgramPlaces FindProgramPlaces(const QString& programFolder, bool lookUpPictures = true);

// The user's pictures folder as `xdg-user-dir PICTURES` names it when that is an existing
// folder, else the home folder; ends in '/'.
QString UserPicturesFolder();

// Creates `folder` and its parents when missing; false when it cannot be made.
bool EnsureFolder(const QString& folder);
