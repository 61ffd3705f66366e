#pragma once

#include <QString>

namespace reports {

// Writes the report pictures "pxsr.jpg" and "back.jpg" that come with the
// program into imagesDir (which ends in "/"), each only when no file of that
// name is there: a picture the user replaced is kept. Failures are ignored;
// pages without their pictures still read well.
void writeMissingPictures(const QString& imagesDir);

} // namespace reports
