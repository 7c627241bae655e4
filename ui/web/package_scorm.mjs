// Makes the SCORM packages a learning platform imports: for SCORM 1.2 and 2004 a zip
// (NAME-scorm12.zip, NAME-scorm2004.zip beside NAME.html) of imsmanifest.xml (one organization,
// one SCO) and the single file as the SCO's launch page.
// The same input gives the same bytes: a fixed order, a fixed time, no owners or permissions.
//   node ui/web/package_scorm.mjs SINGLE_FILE OUT_DIR IDENTIFIER VERSION TITLE
import { readFileSync, writeFileSync } from 'node:fs';
import { basename, join } from 'node:path';
import { deflateRawSync } from 'node:zlib';

const [singleFile, outDir, identifier, version, title] = process.argv.slice(2);
if (!title) {
  console.error('usage: node package_scorm.mjs SINGLE_FILE OUT_DIR IDENTIFIER VERSION TITLE');
  process.exit(2);
}
const launch = basename(singleFile);

const escape = (text) => text.replace(/[<>&"']/g, (c) => `&#${c.charCodeAt(0)};`);

// What differs between the two versions' manifests: their namespaces and schema version.
const versions = [
  {
    file: 'scorm12', schemaVersion: '1.2', scormType: 'scormtype',
    namespaces: {
      '': 'http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd',
      adlcp: 'http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd',
    },
  },
  {
    file: 'scorm2004', schemaVersion: '2004 4th Edition', scormType: 'scormType',
    namespaces: {
      '': 'http://www.imsglobal.org/xsd/imscp_v1p1 imscp_v1p1.xsd',
      adlcp: 'http://www.adlnet.org/xsd/adlcp_v1p3 adlcp_v1p3.xsd',
    },
  },
];

function manifest(v) {
  const spaces = Object.entries(v.namespaces);
  const names = spaces.map(([prefix, location]) => `\n    xmlns${prefix ? `:${prefix}` : ''}="${location.split(' ')[0]}"`).join('');
  const locations = spaces.map(([, location]) => location).join(' ');
  const t = escape(title);
  return `<?xml version="1.0" encoding="UTF-8"?>
<manifest identifier="${escape(identifier)}.${v.file}" version="${escape(version)}"${names}
    xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"
    xsi:schemaLocation="${locations}">
  <metadata>
    <schema>ADL SCORM</schema>
    <schemaversion>${v.schemaVersion}</schemaversion>
  </metadata>
  <organizations default="organization">
    <organization identifier="organization">
      <title>${t}</title>
      <item identifier="item" identifierref="test">
        <title>${t}</title>
      </item>
    </organization>
  </organizations>
  <resources>
    <resource identifier="test" type="webcontent" adlcp:${v.scormType}="sco" href="${escape(launch)}">
      <file href="${escape(launch)}"/>
    </resource>
  </resources>
</manifest>
`;
}

const crcTable = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
function crc32(bytes) {
  let c = 0xffffffff;
  for (const byte of bytes) c = crcTable[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

// Little-endian fields, each [bytes (2 or 4), value], one after another.
function fields(...list) {
  const bytes = Buffer.alloc(list.reduce((sum, [size]) => sum + size, 0));
  let at = 0;
  for (const [size, value] of list) at = size === 2 ? bytes.writeUInt16LE(value, at) : bytes.writeUInt32LE(value, at);
  return bytes;
}

// A zip of the entries in the order given, deflated, each dated 1980-01-01 00:00.
function zip(entries) {
  const local = [];
  const central = [];
  let offset = 0;
  for (const [name, data] of entries) {
    const packed = deflateRawSync(data, { level: 9 });
    const fileName = Buffer.from(name, 'utf8');
    // As the local header and the directory both give them: the version needed (deflate), no flags,
    // deflated, at 00:00:00 on 1980-01-01, the checksum, the sizes, the name's length, no extra fields.
    const described = [[2, 20], [2, 0], [2, 8], [2, 0], [2, 0x21],
      [4, crc32(data)], [4, packed.length], [4, data.length], [2, fileName.length], [2, 0]];
    const head = fields([4, 0x04034b50], ...described);
    // Made by MS-DOS, so no owners or permissions; no comment, disk 0, no attributes.
    const entry = fields([4, 0x02014b50], [2, 20], ...described, [2, 0], [2, 0], [2, 0], [4, 0], [4, offset]);
    local.push(head, fileName, packed);
    central.push(entry, fileName);
    offset += head.length + fileName.length + packed.length;
  }
  const directory = Buffer.concat(central);
  const end = fields([4, 0x06054b50], [2, 0], [2, 0], [2, entries.length], [2, entries.length], [4, directory.length],
    [4, offset], [2, 0]);
  return Buffer.concat([...local, directory, end]);
}

const page = readFileSync(singleFile);
for (const v of versions)
  writeFileSync(join(outDir, `${basename(singleFile, '.html')}-${v.file}.zip`), zip([['imsmanifest.xml', Buffer.from(manifest(v), 'utf8')], [launch, page]]));
