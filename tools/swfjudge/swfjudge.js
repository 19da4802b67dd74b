#!/usr/bin/env node
// swfjudge: the stage of a movie after a given number of frames, as Ruffle draws it, saved as a
// PNG at the movie's own stage size (one stage pixel a PNG pixel), background included. Ruffle's
// web player runs in Debian's headless Chromium, served by the small server below from
// 127.0.0.1; every other request of the page is refused, so nothing leaves the machine, and the
// movie may neither run script nor fetch.
//
// The page owns Ruffle's clock: requestAnimationFrame and performance.now are replaced before
// Ruffle loads, and each animation frame we hand it is exactly one movie frame long. So the
// picture is the same on every run, however slow or loaded the machine.
//
//   node swfjudge.js MOVIE.swf OUT.png [--frames N] [options]
//   node swfjudge.js --batch JOBS [options]      (each line of JOBS: MOVIE FRAMES OUT)

'use strict';

const fs = require('fs');
const http = require('http');
const path = require('path');
const puppeteer = require('puppeteer-core');

const RUFFLE_DIR = path.dirname(require.resolve('@ruffle-rs/ruffle/package.json'));
const MAX_STAGE = 8192;

function usage(message) {
    if (message)
        console.error(`swfjudge: ${message}`);
    console.error(
        'usage: node swfjudge.js MOVIE.swf OUT.png [--frames N] [options]\n' +
        '       node swfjudge.js --batch JOBS [options]   (JOBS: lines "MOVIE FRAMES OUT")\n' +
        '  --frames N    frames run before the picture is taken (default 1: the first frame)\n' +
        '  --quality Q   stage quality: low (no antialiasing), medium, high (default), best\n' +
        '  --renderer R  Ruffle\'s renderer: webgl (default) or canvas\n' +
        '  --chromium P  the browser (default $CHROMIUM, else /usr/bin/chromium)');
    process.exit(2);
}

function checkFrames(frames, where) {
    if (!Number.isInteger(frames) || frames < 1 || frames > 100000)
        usage(`${where}: frames must be a whole number from 1 to 100000`);
    return frames;
}

function parseArgs(argv) {
    const options = {
        frames: 1,
        renderer: 'webgl',
        quality: 'high',
        chromium: process.env.CHROMIUM || '/usr/bin/chromium',
        batch: null,
    };
    const positional = [];
    for (let i = 0; i < argv.length; ++i) {
        const arg = argv[i];
        const value = () => {
            if (i + 1 >= argv.length)
                usage(`${arg} needs a value`);
            return argv[++i];
        };
        if (arg === '--frames')
            options.frames = checkFrames(Number(value()), '--frames');
        else if (arg === '--renderer')
            options.renderer = value();
        else if (arg === '--quality')
            options.quality = value();
        else if (arg === '--chromium')
            options.chromium = value();
        else if (arg === '--batch')
            options.batch = value();
        else if (arg === '-h' || arg === '--help')
            usage();
        else if (arg.startsWith('--'))
            usage(`unknown option ${arg}`);
        else
            positional.push(arg);
    }
    if (!['webgl', 'canvas'].includes(options.renderer))
        usage(`unknown renderer ${options.renderer}`);
    if (!['low', 'medium', 'high', 'best'].includes(options.quality))
        usage(`unknown quality ${options.quality}`);
    if (options.batch !== null) {
        if (positional.length !== 0)
            usage('--batch takes its movies from the file');
        options.jobs = fs.readFileSync(options.batch, 'utf8')
                           .split('\n')
                           .map((line) => line.trim())
                           .filter((line) => line && !line.startsWith('#'))
                           .map((line, index) => {
                               const fields = line.split(/\s+/);
                               if (fields.length !== 3)
                                   usage(`${options.batch}:${index + 1}: want MOVIE FRAMES OUT`);
                               return {
                                   movie: fields[0],
                                   frames: checkFrames(Number(fields[1]), options.batch),
                                   output: fields[2],
                               };
                           });
    } else {
        if (positional.length !== 2)
            usage('a movie and an output file are needed');
        options.jobs = [{ movie: positional[0], frames: options.frames, output: positional[1] }];
    }
    return options;
}

const PAGE = `<!DOCTYPE html>
<html><head><meta charset="utf-8">
<style>html, body { margin: 0; padding: 0; overflow: hidden; background: #808080; }
#stage { position: absolute; left: 0; top: 0; width: 1px; height: 1px; }</style>
</head><body><div id="stage"></div>
<script src="/ruffle/ruffle.js"></script>
</body></html>`;

// Installed before any script of the page runs: Ruffle's animation loop waits on us.
function clockHook() {
    let now = 0;
    let queue = [];
    let nextId = 1;
    window.requestAnimationFrame = (callback) => {
        queue.push({ id: nextId, callback });
        return nextId++;
    };
    window.cancelAnimationFrame = (id) => {
        queue = queue.filter((entry) => entry.id !== id);
    };
    performance.now = () => now;
    // Moves the clock on by `ms` and runs the animation frames asked for until then; returns
    // how many ran.
    window.swfjudgeStep = (ms) => {
        now += ms;
        const due = queue;
        queue = [];
        for (const entry of due)
            entry.callback(now);
        return due.length;
    };
}

const MIME = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.swf': 'application/x-shockwave-flash',
    '.map': 'application/json',
};

// Serves the page, Ruffle's own files and the movie of the job at hand; nothing else.
function startServer(state) {
    const server = http.createServer((request, response) => {
        const url = new URL(request.url, 'http://127.0.0.1');
        let body = null;
        let type = 'application/octet-stream';
        if (url.pathname === '/favicon.ico') {
            response.writeHead(204);
            response.end();
            return;
        }
        if (url.pathname === '/') {
            body = PAGE;
            type = MIME['.html'];
        } else if (url.pathname === '/movie.swf' && state.movie) {
            body = state.movie;
            type = MIME['.swf'];
        } else if (url.pathname.startsWith('/ruffle/')) {
            const name = url.pathname.slice('/ruffle/'.length);
            const file = path.join(RUFFLE_DIR, name);
            if (/^[\w.-]+$/.test(name) && fs.existsSync(file)) {
                body = fs.readFileSync(file);
                type = MIME[path.extname(name)] || type;
            }
        }
        if (body === null) {
            response.writeHead(404);
            response.end();
            return;
        }
        response.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-store' });
        response.end(body);
    });
    return new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(0, '127.0.0.1', () => resolve(server));
    });
}

// Runs in the page: loads the movie into a fresh player and answers its stage and frame rate
// once Ruffle has read them. No frame runs while we wait: the clock is ours.
async function loadInPage(renderer, quality) {
    const player = window.RufflePlayer.newest().createPlayer();
    player.style.width = '100%';
    player.style.height = '100%';
    document.getElementById('stage').appendChild(player);
    const loaded = new Promise((resolve, reject) => {
        player.addEventListener('loadedmetadata', () => resolve());
        setTimeout(() => reject(new Error('the movie did not load within 30 s')), 30000);
    });
    await player.ruffle().load({
        url: '/movie.swf',
        autoplay: 'on',
        unmuteOverlay: 'hidden',
        splashScreen: false,
        contextMenu: 'off',
        letterbox: 'off',
        scale: 'showAll',
        quality,
        preferredRenderer: renderer,
        allowScriptAccess: false,
        allowNetworking: 'none',
        openUrlMode: 'deny',
        warnOnUnsupportedContent: false,
        publicPath: '/ruffle/',
        logLevel: 'warn',
    });
    await loaded;
    const m = player.ruffle().metadata;
    return { width: m.width, height: m.height, frameRate: m.frameRate, numFrames: m.numFrames };
}

async function renderOne(browser, state, origin, options, job) {
    state.movie = fs.readFileSync(job.movie);
    const page = await browser.newPage();
    const log = [];
    try {
        page.on('console', (message) => {
            if (['error', 'warn'].includes(message.type()))
                log.push(`${message.type()}: ${message.text()}`);
        });
        page.on('pageerror', (error) => log.push(`page error: ${error.message}`));
        await page.setRequestInterception(true);
        page.on('request', (request) => {
            if (request.url().startsWith(`${origin}/`)) {
                request.continue();
            } else {
                log.push(`refused: ${request.url()}`);
                request.abort();
            }
        });
        await page.evaluateOnNewDocument(clockHook);
        await page.setViewport({ width: 64, height: 64, deviceScaleFactor: 1 });
        await page.goto(`${origin}/`, { waitUntil: 'load' });
        const metadata = await page.evaluate(loadInPage, options.renderer, options.quality);

        const width = Math.round(metadata.width);
        const height = Math.round(metadata.height);
        if (!(width > 0 && height > 0 && width <= MAX_STAGE && height <= MAX_STAGE))
            throw new Error(`unusable stage size ${metadata.width} x ${metadata.height}`);
        await page.setViewport({ width, height, deviceScaleFactor: 1 });
        await page.evaluate((w, h) => {
            const stage = document.getElementById('stage');
            stage.style.width = `${w}px`;
            stage.style.height = `${h}px`;
        }, width, height);

        // The first animation frame only starts Ruffle's clock; each later one, a frame's time
        // long, runs exactly one movie frame. Ruffle asks for its next animation frame a moment
        // after the last one ran, so we wait for the request.
        // A hair over a frame's time: at 12 fps, 1000 / 12 added up step by step fell short of
        // Ruffle's own count of frames by rounding, and the fifth step ran no frame.
        const frameMs = (1000 / (metadata.frameRate > 0 ? metadata.frameRate : 12)) * (1 + 1e-9);
        const step = async (ms) => {
            for (let tries = 0; tries < 400; ++tries) {
                if (await page.evaluate((d) => window.swfjudgeStep(d), tries === 0 ? ms : 0) > 0)
                    return;
                await new Promise((resolve) => setTimeout(resolve, 25));
            }
            throw new Error('Ruffle stopped asking for animation frames');
        };
        await step(0);
        for (let frame = 0; frame < job.frames; ++frame)
            await step(frameMs);
        // Let the page composite the last frame drawn.
        await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 100)));
        await page.screenshot({ path: job.output, clip: { x: 0, y: 0, width, height }, type: 'png' });
        return { width, height, frameRate: metadata.frameRate, numFrames: metadata.numFrames, log };
    } finally {
        await page.close();
    }
}

async function main() {
    const options = parseArgs(process.argv.slice(2));
    const state = { movie: null };
    const server = await startServer(state);
    const origin = `http://127.0.0.1:${server.address().port}`;
    const browser = await puppeteer.launch({
        executablePath: options.chromium,
        headless: true,
        args: [
            '--no-sandbox', // we run as root in the development containers
            '--autoplay-policy=no-user-gesture-required',
            '--force-device-scale-factor=1',
            '--use-angle=swiftshader', // WebGL in software: the same pixels on every machine
            '--enable-unsafe-swiftshader',
            '--no-first-run',
            '--disable-background-networking',
            '--disable-component-update',
            '--disable-sync',
            '--disable-default-apps',
            '--mute-audio',
        ],
    });
    let failures = 0;
    try {
        for (const job of options.jobs) {
            try {
                const result = await renderOne(browser, state, origin, options, job);
                console.log(`${job.output}: ${result.width} x ${result.height}, after frame ` +
                            `${job.frames} (movie of ${result.numFrames} frames at ` +
                            `${result.frameRate} fps; ${options.renderer}, quality ${options.quality})`);
                for (const line of result.log)
                    console.error(`  ${line}`);
            } catch (error) {
                ++failures;
                console.error(`swfjudge: ${job.movie}: ${error.message}`);
            }
        }
    } finally {
        await browser.close();
        server.close();
    }
    return failures;
}

main().then(
    (failures) => process.exit(failures ? 1 : 0),
    (error) => {
        console.error(`swfjudge: ${error.message}`);
        process.exit(1);
    });
