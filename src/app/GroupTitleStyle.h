// Puts the titles of a form's group boxes on their frames' top lines.
#pragma once

class QWidget;

namespace dm {

// Gives every titled group box of form the look its layout was made for: the title sits on the
// frame's top line, which runs through the title's middle, so that contents placed a title's
// height below the group's top lie inside the frame. (Qt's own styles draw the title above the
// frame, whose top line then crosses the first row of contents.) The style lives with form.
void putGroupTitlesOnFrames(QWidget* form);

} // namespace dm
