// The fixed files of the modern web site: its one style sheet and its search script. Both are
// the same for every compendium, and neither loads anything from outside the site's folder.
#pragma once

#include <QByteArray>

namespace tavri {

// style.css: readable type, light and dark by the reader's preference, phones from 360 px wide,
// and a print style without the navigation.
QByteArray SiteStyleSheet();

// search.js: searches the index that search-index.js sets (TAVRI_INDEX) as the reader types,
// ignoring letter case and accents; shows the search box only when it can run.
QByteArray SiteSearchScript();

}  // namespace tavri
