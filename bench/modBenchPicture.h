#pragma once

#include <QImage>

/// A colourful RGB32 picture, the same for the same size: gradients with a little noise, so that
/// neighbouring pixels differ and no writer can profit from runs of one colour.
QImage MakeBenchPicture(int width, int height);

/// Loads the templates and the source text shipped in resources/, as the programs do at start-up.
/// Returns false when they cannot be read.
bool LoadBenchTemplates();
