// Screenshots of the calibration window and the about box into `out`.
#pragma once
#include <QDir>

bool ShootToolsWindows(const QDir& out);
