// EPANET's own steady-state results for the networks in this folder: the reference against which
// the import's conversion of Hazen-Williams and Manning roughness to ks is judged.
//
// Usage:  npm install epanet-js      (in some scratch directory outside the repository)
//         cd <that directory>
//         node <repository>/model/tests/data/epanet/reference.mjs <dir with the inp files>
//
// Neither the build nor the tests run this script or need epanet-js; the files it writes are
// kept beside the networks. For each <name>.inp in the directory (the *.dw.inp files are its own
// output and are skipped) it writes:
//   <name>.heads.csv     id;head_m      head of every node [m]
//   <name>.flows.csv     id;flow_lps    flow of every pipe and pump [l/s], positive from the
//                                       link's first node to its second as the file lists them
//   <name>.dw.inp        (H-W and C-M networks only) the same network with HEADLOSS D-W and, per
//                        pipe, the ks at which Darcy-Weisbach with Colebrook-White loses the same
//                        friction head as EPANET's H-W or C-M result at that pipe's own flow
//   <name>.dw.heads.csv  EPANET's heads for <name>.dw.inp
// Feet networks are converted: heads with 0.3048 m/ft, flows from the file's unit to l/s.
// Each run is a single steady period (duration 0, base demands), solved to a much tighter
// tolerance than EPANET's default, so that the numbers are the model's answer and not its stop
// rule. A run that ends with an EPANET warning is refused.

import fs from "node:fs";
import path from "node:path";
import { createRequire } from "node:module";

const FOOT = 0.3048; // [m]
const INCH = 0.0254; // [m]
// EPANET computes with g = 32.2 ft/s² and a water viscosity of 1.1e-5 ft²/s at VISCOSITY 1.
const GRAVITY = 32.2 * FOOT; // [m/s²]
const WATER_VISCOSITY = 1.1e-5 * FOOT * FOOT; // [m²/s]
// Written where no ks exists: EPANET refuses a roughness of 0.
const SMOOTH_KS = 1e-6; // [mm]
// Written for a pipe without flow, whose ks has no effect on any head.
const IDLE_KS = 0.1; // [mm]

// Litres per second in one flow unit, by EPANET's flow unit code (CFS, GPM, MGD, IMGD, AFD,
// LPS, LPM, MLD, CMH, CMD); the first five go with feet and inches.
const LITRES_PER_SECOND = [
  28.316846592,
  3.785411784 / 60,
  3.785411784e6 / 86400,
  4.54609e6 / 86400,
  1233481.83754752 / 86400,
  1,
  1 / 60,
  1e6 / 86400,
  1 / 3.6,
  1000 / 86400,
];
const UNIT_NAMES = ["CFS", "GPM", "MGD", "IMGD", "AFD", "LPS", "LPM", "MLD", "CMH", "CMD"];
const LAW_NAMES = ["H-W", "D-W", "C-M"];

const dir = process.argv[2];
if (!dir) {
  console.error("usage: node reference.mjs <dir with the inp files>");
  process.exit(2);
}

// epanet-js where the script lies, else where it is run from (the usual case: the package sits
// in a scratch directory and the script in the repository).
async function loadEpanet() {
  try {
    return await import("epanet-js");
  } catch {
    try {
      return createRequire(path.join(process.cwd(), "index.js"))("epanet-js");
    } catch {
      console.error("epanet-js not found: run 'npm install epanet-js' in the current directory first");
      process.exit(2);
    }
  }
}

const epanet = await loadEpanet();
const { Project, Workspace, CountType, NodeProperty, LinkProperty, LinkType, Option } = epanet;
const { TimeParameter, InitHydOption, AnalysisStatistic } = epanet;

const workspace = new Workspace();
await workspace.loadModule();

// Runs one steady period of the network text and returns what the files need, in SI units.
function solve(inpText) {
  workspace.writeFile("net.inp", inpText);
  const warnings = [];
  const warn = console.warn;
  console.warn = (message) => warnings.push(String(message));
  const project = new Project(workspace);
  let result;
  try {
    try {
      project.open("net.inp", "net.rpt", "net.out");
    } catch (error) {
      // EPANET names the faulty lines only in its report file, complete once closed.
      try {
        project.close();
      } catch {
        // the open failure is the one to tell
      }
      const report = workspace.readFile("net.rpt").split("\n");
      const told = report.flatMap((line, i) => (/Error \d+/.test(line) ? [line, report[i + 1]] : []));
      throw new Error([error.message, ...told].join("\n"));
    }
    project.setTimeParameter(TimeParameter.Duration, 0);
    project.setOption(Option.Trials, 1000);
    project.setOption(Option.Accuracy, 1e-8);
    project.setOption(Option.HeadError, 1e-9);
    project.setOption(Option.FlowChange, 1e-9);
    project.openH();
    project.initH(InitHydOption.NoSave);
    project.runH();
    const units = project.getFlowUnits();
    if (!(units in LITRES_PER_SECOND)) throw new Error(`flow unit code ${units} is not known here`);
    const length = units < 5 ? FOOT : 1;
    const diameter = units < 5 ? INCH : 1e-3;
    const flow = LITRES_PER_SECOND[units];
    result = {
      units: UNIT_NAMES[units],
      law: LAW_NAMES[project.getOption(Option.HeadlossForm)],
      viscosity: project.getOption(Option.SpViscos) * WATER_VISCOSITY,
      iterations: project.getStatistic(AnalysisStatistic.Iterations),
      relativeError: project.getStatistic(AnalysisStatistic.RelativeError),
      version: workspace.version,
      nodes: [],
      links: [],
    };
    for (let i = 1; i <= project.getCount(CountType.NodeCount); ++i)
      result.nodes.push({
        id: project.getNodeId(i),
        head: project.getNodeValue(i, NodeProperty.Head) * length,
      });
    for (let i = 1; i <= project.getCount(CountType.LinkCount); ++i) {
      const type = project.getLinkType(i);
      const ends = project.getLinkNodes(i);
      const link = {
        id: project.getLinkId(i),
        pipe: type === LinkType.Pipe || type === LinkType.CVPipe,
        pump: type === LinkType.Pump,
        from: ends.node1 - 1,
        to: ends.node2 - 1,
        flow: project.getLinkValue(i, LinkProperty.Flow) * flow, // [l/s]
        velocity: Math.abs(project.getLinkValue(i, LinkProperty.Velocity)) * length,
      };
      if (link.pipe) {
        link.length = project.getLinkValue(i, LinkProperty.Length) * length;
        link.diameter = project.getLinkValue(i, LinkProperty.Diameter) * diameter;
        link.minorLoss = project.getLinkValue(i, LinkProperty.MinorLoss);
      }
      result.links.push(link);
    }
    project.closeH();
    project.close();
  } finally {
    console.warn = warn;
  }
  if (warnings.length > 0) throw new Error(warnings.join("\n"));
  return result;
}

function headRange(result) {
  const heads = result.nodes.map((node) => node.head);
  return Math.max(...heads) - Math.min(...heads);
}

function engineName(result) {
  const v = result.version;
  return `EPANET ${Math.floor(v / 10000)}.${Math.floor(v / 100) % 100}.${v % 100} (epanet-js)`;
}

// The friction factor of a pipe that loses the friction head hf [m] at its flow, with the
// flow's velocity [m/s] and Reynolds number. EPANET's own velocity is used, not one from the flow
// in l/s: EPANET converts flow units with rounded factors, and the copy must see its numbers.
function frictionOf(pipe, hf, viscosity) {
  const v = pipe.velocity;
  const d = pipe.diameter;
  return { lambda: hf * d * 2 * GRAVITY / (pipe.length * v * v), reynolds: v * d / viscosity };
}

// Colebrook-White solved for ks [mm]; null where even a smooth pipe loses more.
function colebrookKs(pipe, hf, viscosity) {
  const { lambda, reynolds } = frictionOf(pipe, hf, viscosity);
  const root = Math.sqrt(lambda);
  const ks = 3.71 * pipe.diameter * (Math.pow(10, -1 / (2 * root)) - 2.51 / (reynolds * root));
  return ks > 0 ? ks * 1e3 : null;
}

// The same from Swamee and Jain's explicit approximation, which EPANET itself uses for D-W above
// Re 4000: the copy made with it shows how much of the difference is EPANET's friction law
// rather than the conversion.
function swameeJainKs(pipe, hf, viscosity) {
  const { lambda, reynolds } = frictionOf(pipe, hf, viscosity);
  const ks = 3.7 * pipe.diameter * (Math.pow(10, -1 / (2 * Math.sqrt(lambda))) - 5.74 / Math.pow(reynolds, 0.9));
  return ks > 0 ? ks * 1e3 : null;
}

// ks [mm] of every pipe, by link index, and how many had to be set by hand.
function equivalentRoughness(result, inverse) {
  const ks = new Map();
  let smooth = 0;
  let idle = 0;
  result.links.forEach((link, index) => {
    if (!link.pipe) return;
    const v = link.velocity;
    const drop = Math.abs(result.nodes[link.from].head - result.nodes[link.to].head);
    const hf = drop - link.minorLoss * v * v / (2 * GRAVITY);
    if (v === 0 || hf <= 0) {
      ks.set(index, IDLE_KS);
      ++idle;
      return;
    }
    const value = inverse(link, hf, result.viscosity);
    if (value === null) ++smooth;
    ks.set(index, value ?? SMOOTH_KS);
  });
  return { ks, smooth, idle };
}

// Largest head difference [m] between two results of the same network, and where.
function largestDifference(a, b, file) {
  let largest = 0;
  let where = "";
  b.nodes.forEach((node, i) => {
    if (node.id !== a.nodes[i].id) throw new Error(`${file}: node order differs in the D-W copy`);
    const difference = Math.abs(node.head - a.nodes[i].head);
    if (difference > largest) [largest, where] = [difference, node.id];
  });
  return { largest, where };
}

// The network text with HEADLOSS D-W and the given ks in the pipes' roughness column.
function darcyWeisbachCopy(text, name, result, roughness) {
  const toFileUnits = usesFeet(result.units) ? 1 / FOOT : 1; // mm or millifeet
  const ksById = new Map();
  result.links.forEach((link, index) => {
    if (roughness.has(index)) ksById.set(link.id, roughness.get(index) * toFileUnits);
  });
  const headLoss = " HEADLOSS        D-W";
  const out = [];
  let section = "";
  let headLossSet = false;
  const closeSection = () => {
    if (section === "OPTIONS" && !headLossSet) {
      out.push(headLoss);
      headLossSet = true;
    }
  };
  for (const line of text.split(/\r?\n/)) {
    const content = line.replace(/;.*/, "").trim();
    if (content.startsWith("[")) {
      closeSection();
      section = content.slice(1, content.indexOf("]")).trim().toUpperCase();
      if (section === "END" && !headLossSet) {
        out.push("[OPTIONS]", headLoss, "");
        headLossSet = true;
      }
      out.push(line);
      if (section === "TITLE")
        out.push(`Copy of ${name} with HEADLOSS D-W: per pipe the ks [${usesFeet(result.units) ? "millifeet" : "mm"}] ` +
          `that loses EPANET's ${result.law} head at the pipe's own flow`);
      continue;
    }
    const tokens = content.split(/\s+/);
    if (content !== "" && section === "OPTIONS" && tokens[0].toUpperCase() === "HEADLOSS") {
      out.push(headLoss);
      headLossSet = true;
    } else if (content !== "" && section === "PIPES") {
      if (!ksById.has(tokens[0])) throw new Error(`${name}: pipe ${tokens[0]} not in EPANET's result`);
      tokens[5] = String(ksById.get(tokens[0]));
      out.push(" " + tokens.map((token) => token.padEnd(15)).join(" ").trimEnd());
    } else {
      out.push(line);
    }
  }
  closeSection();
  if (!headLossSet) out.push("[OPTIONS]", headLoss);
  return out.join("\n");
}

function usesFeet(units) {
  return UNIT_NAMES.indexOf(units) < 5;
}

function writeCsv(file, comments, rows) {
  const text = comments.map((c) => `# ${c}\n`).join("") + rows.map((r) => r.join(";") + "\n").join("");
  fs.writeFileSync(file, text);
}

function velocityRange(result) {
  const v = result.links.filter((link) => link.pipe).map((link) => link.velocity);
  return [Math.min(...v), Math.max(...v)];
}

const names = fs
  .readdirSync(dir)
  .filter((f) => f.endsWith(".inp") && !f.endsWith(".dw.inp"))
  .sort();
for (const file of names) {
  const base = path.join(dir, file.slice(0, -4));
  const text = fs.readFileSync(path.join(dir, file), "utf8");
  const result = solve(text);
  const range = headRange(result);
  const [vMin, vMax] = velocityRange(result);
  const pipes = result.links.filter((link) => link.pipe).length;
  const pumps = result.links.filter((link) => link.pump).length;
  const run = `${engineName(result)}, one steady period of ${file} (${result.units}, ${result.law}); ` +
    `${result.iterations} trials, relative flow change ${result.relativeError}`;
  writeCsv(`${base}.heads.csv`, [run, `head range (max - min over all nodes) = ${range} m`, "id;head_m"],
    result.nodes.map((node) => [node.id, node.head]));
  writeCsv(`${base}.flows.csv`, [run, `pipe velocities from ${vMin} to ${vMax} m/s`, "id;flow_lps"],
    result.links.map((link) => [link.id, link.flow]));
  let summary = `${file}: ${result.nodes.length} nodes, ${pipes} pipes, ${pumps} pumps, ${result.units}, ` +
    `${result.law}; head range ${range.toFixed(3)} m; pipe velocity ${vMin.toFixed(4)} .. ${vMax.toFixed(3)} m/s`;
  if (result.law !== "D-W") {
    const { ks, smooth, idle } = equivalentRoughness(result, colebrookKs);
    const copy = darcyWeisbachCopy(text, file, result, ks);
    fs.writeFileSync(`${base}.dw.inp`, copy);
    const dw = solve(copy);
    const { largest, where } = largestDifference(result, dw, file);
    const sj = solve(darcyWeisbachCopy(text, file, result, equivalentRoughness(result, swameeJainKs).ks));
    const sjDifference = largestDifference(result, sj, file);
    const dwRun = `${engineName(dw)}, one steady period of ${path.basename(base)}.dw.inp; ` +
      `${dw.iterations} trials, relative flow change ${dw.relativeError}`;
    writeCsv(`${base}.dw.heads.csv`, [
      dwRun,
      `head range (max - min over all nodes) = ${headRange(dw)} m`,
      `largest difference to the ${result.law} heads = ${largest} m (node ${where}); ` +
        `${smooth} pipes smoother than Colebrook-White allows (ks ${SMOOTH_KS} mm), ` +
        `${idle} pipes without head loss (ks ${IDLE_KS} mm)`,
      `with ks from Swamee-Jain, EPANET's own D-W law, instead of Colebrook-White: largest ` +
        `difference ${sjDifference.largest} m (node ${sjDifference.where})`,
      "id;head_m",
    ], dw.nodes.map((node) => [node.id, node.head]));
    summary += `; D-W copy: largest head difference ${largest.toExponential(3)} m at node ${where}` +
      ` (${smooth} smooth, ${idle} idle pipes); Swamee-Jain ks: ${sjDifference.largest.toExponential(3)} m`;
  }
  console.log(summary);
}
