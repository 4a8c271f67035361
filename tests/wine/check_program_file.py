#!/usr/bin/python3
"""Checks what a built mensora.exe carries for Windows and for its users:

  - the version record: FILEVERSION and PRODUCTVERSION as the project's
    version, FileVersion and ProductVersion as the version the program shows;
  - the icon group resource 1 with its 32 x 32 and 16 x 16 images;
  - the manifest (resource 1 of type 24): per-monitor-v2 dpi awareness and
    common controls version 6;
  - the GUI subsystem, so no console window opens with it;
  - imports only of DLLs that every Windows has, so the one file runs from
    any folder (no C++ or threads runtime DLL beside it).

  /usr/bin/python3 check_program_file.py MENSORA_EXE VERSION DISPLAY_VERSION
  e.g.  ... build/windows/app/mensora.exe 1.0.0.0 1.00

Run by Debian's interpreter, which has python3-pefile. Exits 1 and names
every fault found.
"""
import struct
import sys
import xml.etree.ElementTree as ET

try:
    import pefile
except ImportError:
    sys.exit("check_program_file: the pefile module is missing (Debian: python3-pefile; run /usr/bin/python3)")

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24
ICON_SIZES = {(32, 32), (16, 16)}
# In System32 of every Windows the program runs on (10 and 11).
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll",
    "oleacc.dll", "msvcrt.dll", "advapi32.dll", "shell32.dll", "shlwapi.dll", "shcore.dll", "uxtheme.dll",
    "imm32.dll", "version.dll", "dwmapi.dll",
}


def resource(pe, type_id, res_id):
    """The bytes of resource (type_id, res_id) in its first language, or None."""
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return None
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if rtype.id != type_id:
            continue
        for entry in rtype.directory.entries:
            if entry.id == res_id and entry.directory.entries:
                data = entry.directory.entries[0].data.struct
                return pe.get_data(data.OffsetToData, data.Size)
    return None


def check_version(pe, version, display_version):
    faults = []
    parts = [int(p) for p in version.split(".")] + [0] * 4
    ms, ls = parts[0] << 16 | parts[1], parts[2] << 16 | parts[3]
    fixed = getattr(pe, "VS_FIXEDFILEINFO", None)
    if not fixed:
        return ["no version record (VS_VERSION_INFO)"]
    for name in ("FileVersion", "ProductVersion"):
        got = (getattr(fixed[0], name + "MS"), getattr(fixed[0], name + "LS"))
        if got != (ms, ls):
            faults.append(f"{name.upper()} is {got[0] >> 16},{got[0] & 0xFFFF},{got[1] >> 16},{got[1] & 0xFFFF},"
                          f" not {','.join(map(str, parts[:4]))}")
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for block in info:
            for table in getattr(block, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    for name in ("FileVersion", "ProductVersion"):
        if strings.get(name) != display_version:
            faults.append(f'the string {name} is {strings.get(name)!r}, not "{display_version}"')
    return faults


def check_icon(pe):
    group = resource(pe, RT_GROUP_ICON, 1)
    if group is None:
        return ["no icon group resource 1 (an icon named by a string, such as an undefined IDI_ICON1, is not 1)"]
    _, kind, count = struct.unpack_from("<HHH", group)
    faults = [] if kind == 1 else [f"icon group 1 has type {kind}, not 1 (icon)"]
    sizes = set()
    for k in range(count):
        width, height, _, _, _, _, length, image_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * k)
        image = resource(pe, RT_ICON, image_id)
        if image is None or len(image) != length:
            faults.append(f"icon group 1 names image {image_id}, which is missing or not {length} bytes")
        sizes.add((width or 256, height or 256))
    missing = ICON_SIZES - sizes
    if missing:
        faults.append(f"icon group 1 lacks the images {sorted(missing)} (has {sorted(sizes)})")
    return faults


def check_manifest(pe):
    data = resource(pe, RT_MANIFEST, 1)
    if data is None:
        return ["no manifest (resource 1 of type 24)"]
    try:
        root = ET.fromstring(data)
    except ET.ParseError as error:
        return [f"the manifest is not well-formed XML: {error}"]
    local = lambda element: element.tag.rsplit("}", 1)[-1]
    awareness = [e.text or "" for e in root.iter() if local(e) == "dpiAwareness"]
    faults = []
    if not any("permonitorv2" in a.replace(" ", "").lower().split(",") for a in awareness):
        faults.append(f"the manifest does not declare dpiAwareness PerMonitorV2 (found {awareness})")
    controls = [e.get("version", "") for e in root.iter()
                if local(e) == "assemblyIdentity" and e.get("name") == "Microsoft.Windows.Common-Controls"]
    if not any(v.startswith("6.") for v in controls):
        faults.append(f"the manifest does not ask for common controls version 6 (found {controls})")
    return faults


def check_subsystem_and_imports(pe):
    faults = []
    if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
        faults.append(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, not the GUI (2): a console window would open")
    imports = [e.dll.decode().lower() for e in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    imports += [e.dll.decode().lower() for e in getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])]
    for dll in sorted(set(imports) - SYSTEM_DLLS):
        hint = " (a compiler runtime DLL: link it statically)" if dll.startswith("lib") else ""
        faults.append(f"imports {dll}, which not every Windows has{hint}")
    return faults


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    path, version, display_version = argv[1:]
    try:
        pe = pefile.PE(path)
    except (OSError, pefile.PEFormatError) as error:
        sys.exit(f"check_program_file: cannot read {path}: {error}")
    faults = (check_version(pe, version, display_version) + check_icon(pe) + check_manifest(pe)
              + check_subsystem_and_imports(pe))
    for fault in faults:
        print(f"{path}: {fault}", file=sys.stderr)
    if faults:
        return 1
    print(f"{path}: version {version} / {display_version}, icon 1 with 16 and 32 px, manifest, GUI, system DLLs only")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
