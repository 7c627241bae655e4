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

// A zip of the entries in the order given, deflated, each dated 1980-01-01 00:00.
function zip(entries) {
  const local = [];
  const central = [];
  let offset = 0;
  for (const [name, data] of entries) {
    const packed = deflateRawSync(data, { level: 9 });
    const fileName = Buffer.from(name, 'utf8');
    const head = Buffer.alloc(30);
    head.writeUInt32LE(0x04034b50, 0);
    head.writeUInt16LE(20, 4); // version needed: deflate
    head.writeUInt16LE(0, 6); // flags
    head.writeUInt16LE(8, 8); // deflate
    head.writeUInt16LE(0, 10); // time 00:00:00
    head.writeUInt16LE(0x21, 12); // date 1980-01-01
    head.writeUInt32LE(crc32(data), 14);
    head.writeUInt32LE(packed.length, 18);
    head.writeUInt32LE(data.length, 22);
    head.writeUInt16LE(fileName.length, 26);
    head.writeUInt16LE(0, 28); // no extra fields
    const entry = Buffer.alloc(46);
    entry.writeUInt32LE(0x02014b50, 0);
    entry.writeUInt16LE(20, 4); // made by: MS-DOS, so no owners or permissions
    head.copy(entry, 6, 4, 30); // version needed to name length, as in the local header
    entry.writeUInt32LE(offset, 42); // comment, disk, attributes: 0
    local.push(head, fileName, packed);
    central.push(entry, fileName);
    offset += head.length + fileName.length + packed.length;
  }
  const directory = Buffer.concat(central);
  const end = Buffer.alloc(22);
  end.writeUInt32LE(0x06054b50, 0);
  end.writeUInt16LE(entries.length, 8);
  end.writeUInt16LE(entries.length, 10);
  end.writeUInt32LE(directory.length, 12);
  end.writeUInt32LE(offset, 16);
  return Buffer.concat([...local, directory, end]);
}

const page = readFileSync(singleFile);
for (const v of versions)
  writeFileSync(join(outDir, `${basename(singleFile, '.html')}-${v.file}.zip`), zip([['imsmanifest.xml', Buffer.from(manifest(v), 'utf8')], [launch, page]]));
