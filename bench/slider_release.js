// Slider release to previews shown, in the GUI, for every shipped preset:
// the time from a user's release of INPUT 1's frequency slider to the end
// of the event processing that shows the new previews (median, lowest and
// highest of 5, in ms). Run from the source tree:
//   scripts/with-display build/release/bin/studio --plugins build/release/plugins \
//     --documents /tmp/docs --run "New MORVANE Scene Objects..." --script bench/slider_release.js
var presets = "resources/presets";
var morvane = findAction("New MORVANE Scene Objects...");
var names = ["alpine ridges", "arctic shelf", "autumn forest hills", "badlands", "canyon lands", "checker fields", "coastal cliffs", "gabor ripples", "glacier valley", "highland moors", "karst towers", "lone island", "lunar craters", "martian plains", "mediterranean coast", "mesas", "rice terraces", "river delta", "rolling hills", "sand dunes", "savanna", "tropical islands", "tundra plains", "volcanic caldera"];
for (var n = 0; n < names.length; ++n) {
    morvane.loadPreset(presets + "/" + names[n] + ".ipf", 0);
    processEvents();
    var times = [];
    for (var i = 0; i < 5; ++i) {
        var t0 = Date.now();
        setValue("I1FrequencySlider", 20 + i);
        processEvents();
        times.push(Date.now() - t0);
    }
    times.sort(function(a, b) { return a - b; });
    print("ms", names[n], times[2], times[0], times[4]);
}
quit(0);
