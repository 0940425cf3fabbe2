// Sines and cosines that come out bit for bit the same on every platform the game runs on.
// C libraries round some of them differently in the last bit (the desktop's and the browser
// build's do), and a replay compares the whole game state bit for bit, so whatever the simulation
// keeps goes through these. Within about one unit in the last place; the float versions round the
// double result. Drawing keeps the C library's functions: no replay sees it.
#pragma once

namespace ventora {

double portable_sin(double x);
double portable_cos(double x);
float portable_sin(float x);
float portable_cos(float x);

}  // namespace ventora
