// The RTF pieces that the page output (PageTavri.rtf) and the region files (RegionTavri-*.rtf)
// share: the header line with the font table, the heading of a race/location and the line of
// one entry. Stored values go in with their backslashes and braces escaped ("\\", "\{", "\}"),
// so no text can open or close a group or start a control word; a character outside
// Windows-1252 is escaped by the output file as \uN?.
#pragma once

#include <QString>

namespace tavri {

// "{\rtf1\ansi\ansicpg1252\deff0\deflang1033\deflangfe1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}"
QString RtfFontTable();

// "\ul\b\fs20 " + race/location + "\ulnone\b0": underlined and bold at 10 points.
QString RtfRegionHeading(const QString& raceLocation);

// "\par\b\fs15" + name + "\b0: " + summary: a new paragraph, the name bold at 7.5 points.
// A name that begins with a digit gets a blank after "\fs15", the blank that ends a control
// word; without it a reader would take the name's digits for the font size and drop them.
QString RtfEntryLine(const QString& name, const QString& summary);

}  // namespace tavri
