// Validates one glTF file with the Khronos validator and prints its
// summary; exit code 1 when it reports an error.
'use strict';
const fs = require('fs');
const path = require('path');
const validator = require(path.join(__dirname, '..', 'tools', 'node_modules', 'gltf-validator'));

const file = process.argv[2];
if (!file) {
  console.error('usage: node gltf_validate.js FILE.gltf|FILE.glb');
  process.exit(2);
}
const folder = path.dirname(path.resolve(file));
validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
  uri: path.basename(file),
  externalResourceFunction: (uri) =>
    new Promise((resolve, reject) => {
      fs.readFile(path.join(folder, decodeURIComponent(uri)), (err, data) =>
        err ? reject(err.toString()) : resolve(new Uint8Array(data)));
    }),
}).then((report) => {
  const issues = report.issues;
  console.log(`validator ${report.validatorVersion}: ${issues.numErrors} errors, ` +
              `${issues.numWarnings} warnings, ${issues.numInfos} infos, ${issues.numHints} hints`);
  for (const m of issues.messages)
    if (m.severity <= 1)
      console.log(`  ${m.severity === 0 ? 'error' : 'warning'} ${m.code} ${m.pointer || ''}: ${m.message}`);
  process.exit(issues.numErrors > 0 ? 1 : 0);
}, (error) => {
  console.error(`cannot validate ${file}: ${error}`);
  process.exit(1);
});
