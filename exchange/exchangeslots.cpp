#include "app/skmcareditor.h"

void SKMcarEditor::SaveSprite() {}
void SKMcarEditor::LoadSprite() {}
void SKMcarEditor::QuickSpriteOut() {}
void SKMcarEditor::QuickSpriteIn() {}
bool SKMcarEditor::ImageToSprite(const QImage &, int, int) { return false; }
bool SKMcarEditor::ImageToCar(const QImage &, int) { return false; }
QImage SKMcarEditor::RenderCarSheet(int) const { return QImage(); }
bool SKMcarEditor::ExportSprites(const QString &) { return false; }
QString SKMcarEditor::ImportSprites(const QString &) { return QString(); }
