#include "dzimporter.h"

DzImporter::DzImporter(QObject* parent) : QObject(parent) {}
