#pragma once

#include "listing/LabelPlans.h"

class QPagedPaintDevice;

namespace velmora {

// Cassette labels: the spine label (number, titles, speeds) and the face
// label (five bands of title, genre and length), drawn straight on the page
// at fixed places in millimetres from the top left corner of the paper, on a
// printer as in a PDF file.
namespace labels {

// Draws the job on the device, a page per sheet, titled as the job; the one
// drawing that printing, the preview and the PDF file share. Places are
// measured from the paper's corner whatever the device's margins. False
// when the device would not start the job.
bool paintLabels(QPagedPaintDevice &device, const Job &job);

// Shows the job in the print preview over the run's printer and prints it
// there when the user does. Returns whether it was printed; a job that
// could not be started is reported.
bool printLabels(const Job &job);
// Writes the job as a PDF file on A4 paper, the labels where a printer puts
// them on its A4 sheet. False when it fails.
bool writePdf(const Job &job, const QString &fileName);
// Asks for the file name and writes it; a failure is reported. False when
// cancelled or failed.
bool savePdf(const Job &job);

} // namespace labels
} // namespace velmora
