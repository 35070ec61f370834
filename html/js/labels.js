// Texts of the page: option labels as the plugin's editor names them, with a
// line of explanation each, grouped the way a user looks for them.

export const OPTION_GROUPS = [
  {
    title: 'Articulation switching',
    options: [
      { key: 'articbanks', label: 'Multiple artic. banks', short: 'Banks', help: 'MOD X of a note picks one of four banks of 16 articulations; off, only articulations 1–16 are used.' },
      { key: 'holdkeyswitch', label: 'Hold KS momentarily', short: 'Hold KS', help: 'Keeps the keyswitch note held for a moment instead of releasing it at once.' },
      { key: 'resetstate', label: 'Reset state on switch', short: 'Reset', help: 'Forgets what an articulation does not use, so the next one sends it again.' },
      { key: 'cctimingfix', label: 'Kontakt CC timing fix', short: 'CC timing', help: 'Holds a note back a few ticks after a switch that sent a control change.' },
      { key: 'allowoverlap', label: 'Allow overlapping notes', short: 'Overlap', help: 'Releasing one of two notes of the same pitch sends no note-off until the last one ends.' },
      { key: 'releasetocc117', label: 'Rls. velocity to CC17', short: 'Rls→CC17', help: 'Sends the release velocity as control change 17 before each note.' },
    ],
  },
  {
    title: 'MIDI output',
    options: [
      { key: 'midiextend', label: 'MIDI Extend', short: 'Extend', help: 'Allows channels 17–64 through the extended channel encoding.' },
      { key: 'ccghosting', label: 'CC Ghosting', short: 'Ghost', help: 'Pan, volume and pitch changes are held back instead of being sent at once.' },
      { key: 'ccghostontransport', label: 'Only Ghost transport', short: 'Ghost transport', help: 'With CC Ghosting: holds changes back only while the transport is stopped.' },
      { key: 'cc64release', label: 'Release CC64 on stop', short: 'CC64 off', help: 'Lifts a held sustain (CC64) when the transport stops.' },
      { key: 'allchannelomni', label: 'All channel CC in omni', short: 'Omni CC', help: 'With the channel set per colour, channel controls go to all 16 channels.' },
      { key: 'optimiseauto', label: 'Optimise automation', short: 'Optimise', help: 'While playing, automation that repeats a value sends nothing.' },
      { key: 'showuacc', label: 'Show UACC on CC32', short: 'UACC', help: 'Names CC32 values by their UACC articulation names.' },
    ],
  },
  {
    title: 'Editor and project',
    options: [
      { key: 'parameterccs', label: 'Parameters control CC', short: 'Params→CC', help: 'On: the plugin\u2019s parameters stand for CC numbers. Off: they stand for the 96 controller slots.' },
      { key: 'altmiddlec', label: 'Alternative Middle C', short: 'Middle C4', help: 'Middle C (note 60) is named C4 instead of C3.' },
      { key: 'preserveport', label: 'Preserve Port/Channel', short: 'Keep port', help: 'Loading a project or preset keeps this instance\u2019s port and channel.' },
      { key: 'showsingle', label: 'Show single editor', short: 'Single editor', help: 'Only one editor window is open at a time. Applies to all instances.', global: true },
    ],
  },
];

export const OPTIONS = OPTION_GROUPS.flatMap((g) => g.options);

// Modifier kinds: modc 0..127 is a CC number, -1 a CC not chosen yet.
export const MODIFIER_KINDS = [
  { value: 'cc', label: 'Control change', modc: -1 },
  { value: 'ks2', label: 'Second keyswitch', modc: -2 },
  { value: 'vel', label: 'Play velocity', modc: -3 },
];

export function modifierKind(modc) {
  if (modc === -2) return 'ks2';
  if (modc === -3) return 'vel';
  return 'cc';
}

export const PANELS = [
  { value: 0, label: 'Articulations' },
  { value: 1, label: 'Controllers' },
  { value: 2, label: 'General' },
];

export const CONTROLLER_TYPES = [
  { value: 0, label: 'Type 0' },
  { value: 1, label: 'Type 1' },
  { value: 2, label: 'Type 2' },
];

export function controllerTargets() {
  const list = [{ value: 255, label: 'Unassigned' }, { value: 128, label: 'Program change' }];
  for (let cc = 0; cc < 128; cc++) list.push({ value: cc, label: `CC ${cc}` });
  return list;
}

export function channelLabel(channel) {
  return channel === 256 ? '---' : String(channel + 1);
}

export function articulationLabel(inst, i) {
  const name = inst.articulations[i]?.name;
  return name ? name : `Articulation ${i + 1}`;
}

export function isEmptyArticulation(a) {
  return a.icon === 55 && a.note === -1 && a.notev === 127 && a.prog === -1 && a.modw === -1 && a.modc === -1;
}
