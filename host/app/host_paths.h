#pragma once

#include "host_options.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace morvane::host {

// The folders the host hands to plug-ins: absolute, cleaned, no trailing
// separator (plug-ins append "/morvanePX" and the like to them).
struct HostPaths {
    QString pluginsPath;
    QString documentsPath;
    QStringList contentDirectories;
    bool documentsIsDefault = false; // neither option nor environment named it
};

// Each folder comes from its option, else from its environment variable
// (MORVANE_PLUGINS, MORVANE_DOCUMENTS, MORVANE_CONTENT with ':' between
// folders), else from the default: <applicationDir>/../plugins,
// <home>/Documents/DAZ 3D/Studio and, for the content, the shipped sample
// library when it is there, else <documents default>/content. Empty values
// count as not given; relative paths are taken from the current folder.
HostPaths resolveHostPaths(const HostOptions& options, const QProcessEnvironment& environment,
                           const QString& applicationDir, const QString& homeDir);

// The sample library that ships with the host,
// <applicationDir>/../content/MORVANE Samples; empty when it is not there
// (it needs its Runtime folder).
QString shippedSampleLibrary(const QString& applicationDir);

// A new user has no documents folder yet; make the default one so the first
// run works. A folder the user named is left alone: when it is missing the
// plug-ins say so. Returns false when the folder is missing and could not be
// made.
bool ensureDocumentsFolder(const HostPaths& paths);

} // namespace morvane::host
