#pragma once

class DemoWindow;
class QDir;

/// Saves the pictures the README shows into `directory`: the window's views, the dialogs, the
/// print preview, the printer calibration, the layout editor at a larger size, and the
/// envelopes page. False when one could not be written.
bool saveScreenshots(DemoWindow& window, const QDir& directory);
