#include "host_options.h"

namespace morvane::host {

namespace {

// Options that take a value; `--name value` and `--name=value` both work.
bool takesValue(const QString& name) {
    return name == QLatin1String("plugins") || name == QLatin1String("documents") ||
           name == QLatin1String("content") || name == QLatin1String("run") ||
           name == QLatin1String("script") || name == QLatin1String("save-scene");
}

} // namespace

HostParseResult parseHostOptions(const QStringList& arguments) {
    HostParseResult result;
    HostOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString argument = arguments.at(i);
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            result.help = true;
            return result;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            result.error = QStringLiteral("unexpected argument \"%1\"").arg(argument);
            return result;
        }
        QString name = argument.mid(2);
        QString value;
        const int equals = name.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            value = name.mid(equals + 1);
            name = name.left(equals);
        } else if (takesValue(name)) {
            if (i + 1 >= arguments.size()) {
                result.error = QStringLiteral("--%1 needs a value").arg(name);
                return result;
            }
            value = arguments.at(++i);
        }
        if (!takesValue(name)) {
            result.error = QStringLiteral("unknown option \"--%1\"").arg(name);
            return result;
        }
        if (name == QLatin1String("plugins"))
            options.pluginsPath = value;
        else if (name == QLatin1String("documents"))
            options.documentsPath = value;
        else if (name == QLatin1String("content"))
            options.contentDirectories << value;
        else if (name == QLatin1String("run"))
            options.runAction = value;
        else if (name == QLatin1String("save-scene"))
            options.saveScenePath = value;
        else
            options.scriptFile = value;
    }
    result.options = options;
    return result;
}

QString hostUsage() {
    return QStringLiteral(
        "usage: studio [--plugins DIR] [--documents DIR] [--content DIR]... [--run TEXT]\n"
        "              [--script FILE] [--save-scene FILE]\n"
        "\n"
        "  --plugins DIR    plug-ins folder (default: $MORVANE_PLUGINS, else <studio>/../plugins)\n"
        "  --documents DIR  documents folder (default: $MORVANE_DOCUMENTS,\n"
        "                   else ~/Documents/DAZ 3D/Studio)\n"
        "  --content DIR    a Poser content folder; repeat for more (default: $MORVANE_CONTENT,\n"
        "                   colon-separated, else the shipped sample library\n"
        "                   <studio>/../content/MORVANE Samples, else\n"
        "                   ~/Documents/DAZ 3D/Studio/content)\n"
        "  --run TEXT       trigger the action with this text once the window is shown\n"
        "  --script FILE    run a QtScript file after start-up (and after --run)\n"
        "  --save-scene FILE  after the script, save the scene as glTF (.gltf or .glb)\n");
}

} // namespace morvane::host
