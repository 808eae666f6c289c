// Draws a tree as Mermaid's ishikawa diagram to SVG in headless Chromium, as a user of that
// library would: node mermaid_svg.mjs TREE.txt OUT.svg [--warm N]
// TREE.txt is our outline (two blanks a level, as `fishbone convert --to txt` writes it); the
// converter below turns it into Mermaid's indented syntax. With --warm N the open page draws the
// diagram N more times and the median of those warm draws is printed in milliseconds.
import { readFileSync, writeFileSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, dirname } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const [treeFile, svgFile, warmFlag, warmRuns] = process.argv.slice(2);
if (!treeFile || !svgFile) {
  console.error('usage: node mermaid_svg.mjs TREE.txt OUT.svg [--warm N]');
  process.exit(2);
}

// Our outline to Mermaid's: the header, then every line one level further in.
function toMermaid(outline) {
  const lines = outline.split('\n').filter((line) => line.trim() !== '');
  return ['ishikawa-beta', ...lines.map((line) => '    ' + line)].join('\n') + '\n';
}

const here = dirname(fileURLToPath(import.meta.url));
const profile = mkdtempSync(join(tmpdir(), 'fishbone-compare-chromium-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  userDataDir: profile,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--allow-file-access-from-files'],
});
try {
  const page = await browser.newPage();
  await page.goto(pathToFileURL(join(here, 'page.html')).href);
  const source = toMermaid(readFileSync(treeFile, 'utf8'));
  const svg = await page.evaluate(async (text) => {
    mermaid.initialize({ startOnLoad: false });
    return (await mermaid.render('diagram', text)).svg;
  }, source);
  writeFileSync(svgFile, svg);
  if (warmFlag === '--warm') {
    const times = await page.evaluate(async (text, runs) => {
      const out = [];
      for (let i = 0; i < runs; ++i) {
        const start = performance.now();
        await mermaid.render('diagram' + i, text);
        out.push(performance.now() - start);
      }
      return out.sort((a, b) => a - b);
    }, source, Number(warmRuns || 10));
    console.log(times[Math.floor(times.length / 2)].toFixed(1));
  }
} finally {
  await browser.close();
  rmSync(profile, { recursive: true, force: true });
}
