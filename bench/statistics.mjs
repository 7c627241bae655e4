// What the browser benchmarks report beside their times.
import { loadavg } from 'node:os';

export const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Notes the machine's load now; the function it returns says it beside the load at its call, for
// the report's introduction.
export function loadAverageNote() {
  const before = loadavg()[0];
  return () => `The machine's load average (1 min) was ${before.toFixed(2)} before and ${loadavg()[0].toFixed(2)} after.`;
}
