// Title block files ("*.spl"): the four fields client, project, measure and project number, one
// per line, each line ended by CR LF. Lines after the fourth are the user's and are kept.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kolma {

struct TitleBlock {
    QString client;
    QString project;
    QString measure;
    QString projectNumber;
};

// The lines of a title block file: UTF-8 or Windows-1252, ended by CR, LF or CR LF.
QStringList titleBlockLines(const QByteArray& bytes);

// Lines 1 to 4 as the fields; fields without a line stay empty.
TitleBlock titleBlockOf(const QStringList& lines);

// The lines with lines 1 to 4 replaced by the fields (added when there are fewer).
QStringList withTitleBlock(QStringList lines, const TitleBlock& block);

// The file bytes: every line ended by CR LF, in Windows-1252 when every character has a byte
// there, otherwise in UTF-8 so that no character is lost.
QByteArray titleBlockBytes(const QStringList& lines);

}  // namespace kolma
