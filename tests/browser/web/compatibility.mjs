// Checks that the page's script and CSS use only what its browsers have
// (ui/web/.browserslistrc): every script the page runs, its own and the
// one Emscripten writes, with ESLint; its CSS with doiuse.
//   node compatibility.mjs <source folder> <web build folder>
import fs from "node:fs";
import path from "node:path";
import browserslist from "browserslist";
import doiuse from "doiuse";
import { ESLint } from "eslint";
import compat from "eslint-plugin-compat";
import esx from "eslint-plugin-es-x";
import postcss from "postcss";
import postcssHtml from "postcss-html";

// Only ui/web/.browserslistrc and the lockfile's data decide, whatever the
// session's environment says; the data's age is the lockfile's on purpose.
for (const name of Object.keys(process.env)) {
    if (/^(BROWSERSLIST|ESLINT)/.test(name)) {
        delete process.env[name];
    }
}
process.env.BROWSERSLIST_IGNORE_OLD_DATA = "1";

const [source, build] = process.argv.slice(2).map((folder) => path.resolve(folder));
const web = path.join(source, "ui/web");
const browsers = browserslist.loadConfig({ config: path.join(web, ".browserslistrc") });
const findings = [];

const eslint = new ESLint({
    cwd: source,
    overrideConfigFile: true,
    overrideConfig: {
        // Newer syntax fails to parse; exceptions are made here, not in the code.
        languageOptions: { ecmaVersion: 2022, sourceType: "script" },
        linterOptions: { noInlineConfig: true },
        plugins: { compat, "es-x": esx },
        // Every API, whatever a babel configuration says, and in an if too:
        // a use that is tested first is excused below by name.
        settings: { lintAllEsApis: true, ignoreConditionalChecks: true },
        rules: {
            "compat/compat": "error",
            ...esx.configs["flat/restrict-to-es2022"].rules,
            ...esx.configs["flat/no-new-in-esnext"].rules,
            // The one piece of ES2022 syntax that Safari 15.2 lacks (16.4);
            // compat knows ES2022's new methods.
            "es-x/no-class-static-block": "error",
            // The page decodes its program with it where there is one, and
            // with atob otherwise.
            "es-x/no-uint8array-frombase64": ["error", { allowTestedProperty: true }],
        },
    },
});

// Each as if in ui/web, where compat finds .browserslistrc. The sources'
// @NAME@ placeholders stand where an empty string or list is still a script.
async function lint(file, text, firstLine = 1) {
    const [result] = await eslint.lintText(text.replace(/@[A-Z_]+@/g, ""),
        { filePath: path.join(web, "page.js") });
    for (const message of result.messages) {
        findings.push(`${file}:${message.line + firstLine - 1}: ${message.message}`);
    }
}

async function lintPage(file) {
    const page = fs.readFileSync(file, "utf8");
    for (const script of page.matchAll(/<script([^>]*)>([\s\S]*?)<\/script>/g)) {
        if (!/type="(?!module"|text\/javascript")/.test(script[1])) {
            const start = script.index + script[0].indexOf(">") + 1;
            await lint(file, script[2], page.slice(0, start).split("\n").length);
        }
    }
}

for (const file of [path.join(web, "pagecontrols.js"), path.join(web, "serviceworker.js.in")]) {
    await lint(file, fs.readFileSync(file, "utf8"));
}
await lintPage(path.join(web, "site/index.html"));
// The program's script, as it is in the built page.
const built = path.join(build, "site/index.html");
if (!fs.existsSync(built)) {
    console.log(`no page in ${built}: build it first, with cmake --preset web && cmake --build --preset web`);
    process.exit(1);
}
await lintPage(built);

// Features whose missing part the page keeps out of, each with what that is.
const safeUses = {
    // Only the -webkit- form before Safari 15.4: both, with one value.
    "css-appearance": (node) => ["appearance", "-webkit-appearance"].every((prop) =>
        node.parent.some((other) => other.prop === prop && other.value === node.value)),
    // Safari lacks overflow: clip (16).
    "css-overflow": (node) => node.value !== "clip",
    // Chrome and Safari clip HTML to a basic shape, not to one in an SVG file.
    "css-clip-path": (node) => node.value.startsWith("inset("),
    "css-masks": (node) => node.prop === "clip-path" && node.value.startsWith("inset("),
    // Safari before 15.4 fades to a see-through colour without premultiplying.
    "css-gradients": (node) => !/transparent|rgba|hsla/.test(node.value),
    // Asks phones not to enlarge the text when turned; browsers without it
    // do not enlarge it either.
    "text-size-adjust": (node) => node.value === "100%",
    // .x:focus {…} .x:focus:not(:focus-visible) {…}: a browser without it
    // drops the second rule whole and shows the :focus style.
    "css-focus-visible": (node) => node.selectors.every((selector) =>
        !selector.replaceAll(":focus:not(:focus-visible)", "").includes(":focus-visible")),
};
const page = path.join(web, "site/index.html");
await postcss([doiuse({
    browsers,
    onFeatureUsage(usage) {
        if (!safeUses[usage.feature]?.(usage.usage)) {
            findings.push(usage.message);
        }
    },
})]).process(fs.readFileSync(page, "utf8"), { syntax: postcssHtml, from: page });

findings.forEach((finding) => console.log(finding));
console.log(`${findings.length} uses of what ${browsers.join(", ")} lack`);
process.exitCode = findings.length > 0 ? 1 : 0;
