// Loading the syntax and keyword files of a data folder into SyntaxData: the
// file reading around the parsers of syntax_tkn.h and syntax_help.h.
// ".tkn" files, "user.tkn" and "html2/index.htm" are UTF-8; "kw_list.txt",
// "user.csv", "quick_hint.txt" and "gui_elements.txt" are ANSI
// (Windows-1252). Missing or unreadable files are passed over silently; a
// line of more than 64 K characters is left out, with a note.
// Paths are UTF-16; `dataFolder` ends in "/".
#pragma once

#include <QString>
#include <QStringList>

#include "editor/syntax_data.h"

namespace vendle {

struct SyntaxLoadOptions {
  QString defaultSyntax = QStringLiteral("picomite");  // "Default syntax"
  bool removeOldFiles = false;                          // "Remove old TKN files"
  bool multiWord = true;                                // "Auto complete multi word"
  bool allowUserKeywords = true;                        // "Allow user keywords"
};

struct SyntaxLoadReport {
  QStringList deleted;     // old syntax files removed
  QStringList unreadable;  // syntax files that could not be read or deleted
  QStringList skipped;     // "path: reason" of data files not read: not a regular file, too large
};

// Replaces the dialects, the user keywords and the ATTiny data with those of
// the folder's ".tkn" files (at most 40, sorted by name ignoring case; each
// file counts, "user.tkn" and deleted files too), then makes the default
// syntax current (the last dialect when it is not found) and sets the
// active keywords. With no dialect at all, nothing is current and the
// active keywords are the user keywords alone (when allowed).
SyntaxLoadReport LoadTokenFiles(const QString& dataFolder, const SyntaxLoadOptions& options, SyntaxData& data);

// Fills the keyword help table, the hints (and the dialects' hint bits),
// the GUI element lines and the help template halves. Run after
// LoadTokenFiles, which supplies the dialects the hint bits go to. Gives
// the "path: reason" of the files there that were not read.
QStringList LoadKeywordHelpFiles(const QString& dataFolder, SyntaxData& data);

}  // namespace vendle
