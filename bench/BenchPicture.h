#pragma once

#include <QImage>

/// A colourful RGB32 picture, the same for the same size: gradients with a little noise, so that
/// neighbouring pixels differ and no writer can profit from runs of one colour.
QImage MakeBenchPicture(int width, int height);

struct PageTemplates;

/// The templates and the source text shipped in resources/, read once as the programs do at
/// start-up; nullptr when they cannot be read.
const PageTemplates* BenchTemplates();
