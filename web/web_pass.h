// What the page may ask of the running pass loop.
#pragma once

// The time of the last pass that handled an event: the events, their drawing
// and the canvas update, in milliseconds.
double lastPassMilliseconds();
