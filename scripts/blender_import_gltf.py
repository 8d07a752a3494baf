# Run by scripts/check-gltf as: blender -b --python THIS -- FILE
# Imports the glTF file into an empty scene and prints what Blender made.
import sys

import bpy
import numpy

# Debian's Blender 3.4 glTF add-on still uses numpy.bool, which numpy 1.24
# removed; the alias restores it for the import.
if not hasattr(numpy, "bool"):
    numpy.bool = bool

path = sys.argv[sys.argv.index("--") + 1]
bpy.ops.wm.read_factory_settings(use_empty=True)
bpy.ops.import_scene.gltf(filepath=path)
objects = list(bpy.context.scene.objects)
print("blender objects: %d" % len(objects))
for obj in sorted(objects, key=lambda o: o.name):
    parent = obj.parent.name if obj.parent else "-"
    loc = obj.matrix_world.translation
    print("blender   %-28s %-7s parent %-20s at (%.2f, %.2f, %.2f)" % (obj.name, obj.type, parent, loc.x, loc.y, loc.z))
images = [i.name for i in bpy.data.images]
print("blender images: %d %s" % (len(images), images))
