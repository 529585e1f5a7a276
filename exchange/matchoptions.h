#pragma once

// How a true-colour picture's pixels are matched to the candidate colours.
enum class ColorMatching {
    // The nearest candidate by CIEDE2000 in L*a*b* (D65) of the decoded sRGB
    // colour; dithering carries the error as a linear-light colour.
    Perceptual,
    // The editor's first matcher, kept so that an old import can be repeated
    // exactly: CIE 1976 distances of the undecoded channels, and a signed
    // scalar error (palettematcher.h).
    Classic,
};

struct MatchOptions
{
    bool dither = false;   // Floyd-Steinberg error diffusion
    ColorMatching matching = ColorMatching::Perceptual;
};
