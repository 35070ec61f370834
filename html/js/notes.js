// Note names as the plugin shows them: C-2 is note 0, or C-1 when the
// instance uses the alternative middle C (middle C written C4 instead of C3).
const LETTERS = 'CCDDEFFGGAAB';
const SHARPS = ' # #  # # # ';

export function noteName(note, altMiddleC = false) {
  if (!Number.isInteger(note) || note < 0 || note > 127) return '';
  const step = note % 12;
  const octave = Math.floor(note / 12) - 2 + (altMiddleC ? 1 : 0);
  return LETTERS[step] + (SHARPS[step] === '#' ? '#' : '') + octave;
}

// "C3", "c#3", "D-1" or a plain number 0..127; returns -1 when it is neither.
export function parseNote(text, altMiddleC = false) {
  const t = String(text).trim();
  if (/^-?\d+$/.test(t)) {
    const n = Number(t);
    return n >= 0 && n <= 127 ? n : -1;
  }
  const m = /^([A-Ga-g])(#?)(-?\d+)$/.exec(t);
  if (!m) return -1;
  for (let n = 0; n < 128; n++) {
    if (noteName(n, altMiddleC).toUpperCase() === (m[1] + m[2] + m[3]).toUpperCase()) return n;
  }
  return -1;
}

// Option elements for a note picker: "None" followed by every MIDI note.
export function noteChoices(altMiddleC, noneLabel = 'None') {
  const choices = [{ value: -1, label: noneLabel }];
  for (let n = 0; n < 128; n++) choices.push({ value: n, label: `${noteName(n, altMiddleC)}  (${n})` });
  return choices;
}
