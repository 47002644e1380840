#!/bin/sh
# Asks headless Chromium how it reads the inline style cases of the CSS
# declaration reader's test and writes its answers as a C++ table:
#   scripts/browser-css-cases.sh > tests/core/model/CssStyleCases.inc
# Run by hand when cases are added; tests never start a browser.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/cases.html" <<'HTML'
<!DOCTYPE html><html><body><iframe id="f"></iframe><pre id="out"></pre><script>
// [style attribute, other attributes, the properties a browser sets there but
// that the scheme cannot hold, so that the reader must leave them unread].
const cases = [
  ["background-color: red", "", ""],
  ["background-color:#F9FAFB", "", ""],
  ["background-color: #abc", "", ""],
  ["background-color: #abcd", "", "background-color"],
  ["background-color: #aabbccff", "", ""],
  ["background-color: #abcf", "", ""],
  ["background-color: rgb(255, 128, 0)", "", ""],
  ["background-color: rgb(255 128 0)", "", ""],
  ["background-color: rgba(10, 20, 30, 1)", "", ""],
  ["background-color: rgba(10, 20, 30, 0.5)", "", "background-color"],
  ["background-color: rgb(10 20 30 / 100%)", "", ""],
  ["background-color: rgba(10 20 30 / 1.0)", "", ""],
  ["background-color: rgb(100%, 50%, 0%)", "", ""],
  ["background-color: rgb(100% 50% 0%)", "", ""],
  ["background-color: rgb(300, -5, 127.5)", "", ""],
  ["background-color: rgb(255, 50%, 0)", "", ""],
  ["background-color: rgb(255 50% 0)", "", ""],
  ["background-color: rgb(255,0,0,)", "", ""],
  ["background-color: rgb(255, 0 0)", "", ""],
  ["background-color: rgb(1e2, 0, 0)", "", ""],
  ["background-color: rgb(+10, .5, 0)", "", ""],
  ["background-color: RGB(0,0,255)", "", ""],
  ["background-color: rgba(0, 0, 255)", "", ""],
  ["background-color: rgb(0 0 255 / 0.5)", "", "background-color"],
  ["background-color: rgb(none 0 255)", "", ""],
  ["background-color: transparent", "", ""],
  ["background-color: rgba(0,0,0,0)", "", ""],
  ["background-color: hsl(120, 100%, 50%)", "", "background-color"],
  ["background-color: chucknorris", "", ""],
  ["background-color: ffffff", "", ""],
  ["background-color: red !important; background-color: blue", "", ""],
  ["background-color: red; background-color: blue", "", ""],
  ["background-color: red; background-color: bogus", "", ""],
  ["background-color: red ! IMPORTANT; background-color: blue", "", ""],
  ["background-color: red !important !important", "", ""],
  ["background-color: red !importantx", "", ""],
  ["background-color: red important", "", ""],
  ["BACKGROUND-COLOR: Red", "", ""],
  ["background-color: red;;color: blue", "", ""],
  ["background-color /* c */ : /* c */ lime /* c */", "", ""],
  ["background-color: red color: blue", "", ""],
  ["x: y; color: green", "", ""],
  ["color: green; {junk: 1; color: red}; background-color: navy", "", ""],
  ["color: green; background-color: rgb(10, 20, 30; color: red); margin-top: 4px", "", ""],
  ["color: rgb(0, 128, 0", "", ""],
  ["color: 'red'", "", ""],
  ["color: #12345", "", ""],
  ["color: #1234567", "", ""],
  ["color: inherit", "", ""],
  ["color: initial", "", ""],
  ["color: red; color: unset", "", ""],
  ["background-color: inherit", "", ""],
  ["color: \\72 ed", "", ""],
  ["co\\lor: blue", "", ""],
  ["color: blue; color", "", ""],
  ["color: ; background-color: teal", "", ""],
  ["color: blue !ie", "", ""],
  ["-webkit-color: red; color: olive", "", ""],
  ["background-image: url(img/fond.gif)", "", ""],
  ["background-image: url(\"img/my fond.gif\")", "", ""],
  ["background-image: url('a\\'b.gif')", "", ""],
  ["background-image: url(\"a\\\"b.gif\")", "", ""],
  ["background-image: url(\"a\\\\b.gif\")", "", ""],
  ["background-image: url(\"caf\\e9 .gif\")", "", ""],
  ["background-image: url(\"x\\\ny.gif\")", "", ""],
  ["background-image: url(a b.gif)", "", ""],
  ["background-image: url(a\\ b.gif)", "", ""],
  ["background-image: url(a(b).gif)", "", ""],
  ["background-image: none", "", ""],
  ["background-image: linear-gradient(red, blue)", "", "background-image"],
  ["background-image: url(a.gif), url(b.gif)", "", "background-image"],
  ["background-image: URL(x.png)", "", ""],
  ["background-image: url(  x.png  )", "", ""],
  ["background-image: url(\"\")", "", ""],
  ["background-image: url(x.png) red", "", ""],
  ["background-attachment: fixed", "", ""],
  ["background-attachment: scroll", "", ""],
  ["background-attachment: FIXED", "", ""],
  ["background-attachment: fixed, scroll", "", ""],
  ["background-attachment: fixed scroll", "", ""],
  ["margin-left: 10px", "", ""],
  ["margin-left: 0", "", ""],
  ["margin-left: 10", "", ""],
  ["margin-left: 1.5px", "", "margin-left"],
  ["margin-left: 2em", "", "margin-left"],
  ["margin-left: -5px", "", "margin-left"],
  ["margin-left: 10PX", "", ""],
  ["margin-left: 5%", "", "margin-left"],
  ["margin-left: auto", "", "margin-left"],
  ["margin-left: +3px", "", ""],
  ["margin-left: 3e1px", "", ""],
  ["margin-top: 20px", "", ""],
  ["margin: 0", "", ""],
  ["margin: 1px 2px", "", ""],
  ["margin: 1px 2px 3px", "", ""],
  ["margin: 1px 2px 3px 4px", "", ""],
  ["margin: 1px 2px 3px 4px 5px", "", ""],
  ["margin: 0 auto", "", "margin-left"],
  ["margin: 10px; margin-left: 3px", "", ""],
  ["margin-left: 3px !important; margin: 10px", "", ""],
  ["margin: 1px bogus", "", ""],
  ["margin: calc(2px + 3px)", "", "margin-left margin-top"],
  ["margin:0", "", ""],
  ["margin: inherit", "", ""],
  ["margin: revert", "", ""],
  ["margin-top: initial", "", ""],
  ["margin: 1px inherit", "", ""],
  ["background:#f9fafb;margin:0", "", ""],
  ["background: red url(x.png) fixed", "", ""],
  ["background: url(x.png) no-repeat center top #fff", "", ""],
  ["background: url(x.png) 10px 20px / cover fixed repeat-x padding-box red", "", ""],
  ["background: url(x.png) right 10px bottom 5px no-repeat", "", ""],
  ["background: none", "", ""],
  ["background: red blue", "", ""],
  ["background: red, url(x.png)", "", ""],
  ["background: url(a.png), red", "", "background-image"],
  ["background: fixed", "", ""],
  ["background: transparent url(x.png)", "", ""],
  ["background: inherit", "", ""],
  ["background: bogus", "", ""],
  ["background: red fixed scroll", "", ""],
  ["background: repeat-x repeat-y", "", ""],
  ["background: no-repeat repeat green", "", ""],
  ["background: / cover red", "", ""],
  ["background: center / 50% auto olive", "", ""],
  ["background: border-box content-box maroon", "", ""],
  ["background: border-box content-box padding-box maroon", "", ""],
  ["background-color: red; background: url(x.png)", "", ""],
  ["background: url(x.png); background-color: red", "", ""],
  ["background: red !important; background-color: blue", "", ""],
  ["background-image: url(a.png) !important; background: red", "", ""],
  // Style against the presentational attributes.
  ["background-color: green", "bgcolor=red text=blue", ""],
  ["background: #fff", "background=a.png bgproperties=fixed bgcolor=red", ""],
  ["margin-top: 5px", "leftmargin=20 topmargin=30", ""],
  ["margin: 0", "leftmargin=20 topmargin=30", ""],
  ["background-color: bogus; color: inherit", "bgcolor=red text=blue", ""],
  ["background-image: url(b.png)", "background=a.png", ""],
  ["background-attachment: local", "background=a.png bgproperties=fixed", ""],
];
const frame = document.getElementById("f");
const sentinel = "body { background-color: rgb(1, 2, 3); color: rgb(4, 5, 6); " +
  "background-image: url(sentinel.png); background-attachment: local; margin-left: 7px; margin-top: 9px }";
const lines = [];
for (const [style, attributes, unread] of cases) {
  const doc = frame.contentDocument;
  doc.open();
  // Without attributes, an author rule marks what the style leaves unset;
  // with them, the attributes themselves must show through.
  doc.write("<!DOCTYPE html><html><head>" + (attributes ? "" : "<style>" + sentinel + "</style>") +
            "</head><body " + attributes + "></body></html>");
  doc.close();
  doc.body.setAttribute("style", style);
  const cs = doc.defaultView.getComputedStyle(doc.body);
  const image = cs.backgroundImage.includes("sentinel.png") ? "unset" :
    (doc.body.style.backgroundImage || cs.backgroundImage.replace(/url\("[^"]*\/([^"\/]*)"\)/, 'url("$1")'));
  lines.push([style, attributes, unread, cs.backgroundColor, cs.color, image, cs.backgroundAttachment,
              cs.marginLeft, cs.marginTop]);
}
document.getElementById("out").textContent = lines.map(l => JSON.stringify(l)).join("\n");
</script></body></html>
HTML
chromium --headless=new --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/profile" --dump-dom "file://$work/cases.html" \
  2>/dev/null > "$work/dom.html"
python3 - "$work/dom.html" <<'PY'
import html, json, re, sys
dom = open(sys.argv[1], encoding="utf-8").read()
out = html.unescape(re.search(r'<pre id="out">(.*?)</pre>', dom, re.S).group(1))
def c(s):
    return '"' + s.encode("utf-8").decode("latin-1").encode("unicode_escape").decode("ascii").replace('"', '\\"') + '"'
print("// What Chromium computes for each inline style case (scripts/browser-css-cases.sh):")
print("// style, attributes, unread, background-color, color, background-image,")
print("// background-attachment, margin-left, margin-top; \"unset\" where the style set nothing.")
for line in out.splitlines():
    row = json.loads(line)
    print("{" + ", ".join(c(v) for v in row) + "},")
PY
