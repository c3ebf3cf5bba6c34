#pragma once

#include <QFlags>

// The commands a child window shares with the main window's toolbar and File
// menu; the frame enables exactly those the active child takes.
enum class Command {
    New = 0x01,
    Save = 0x02, // also Save As
    Print = 0x04,
    PrintPreview = 0x08,
    Delete = 0x10, // toolbar only
    Close = 0x20,
};
Q_DECLARE_FLAGS(Commands, Command)
Q_DECLARE_OPERATORS_FOR_FLAGS(Commands)

// The windows' tables are written as the nine-character enable masks the
// survey forms have always been described by: New, Save, -, Print, Print
// Preview, -, Delete, -, Close, where only '1' enables. Converted at compile
// time, so a mistyped table entry fails the build.
constexpr Commands commandsOf(const char (&mask)[10]) {
    struct Place {
        int index;
        Command command;
    };
    constexpr Place places[] = {{0, Command::New},    {1, Command::Save},
                                {3, Command::Print},  {4, Command::PrintPreview},
                                {6, Command::Delete}, {8, Command::Close}};
    Commands commands;
    for (int i = 0; i < 9; ++i) {
        if (mask[i] != '0' && mask[i] != '1')
            throw "an enable mask holds only 0 and 1";
    }
    for (const Place& place : places) {
        if (mask[place.index] == '1')
            commands |= place.command;
    }
    return commands;
}
