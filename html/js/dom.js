// A small element builder: h('div', {class: 'x', onclick: f}, child, ...).
export function h(tag, attrs = {}, ...children) {
  const el = document.createElement(tag);
  for (const [key, value] of Object.entries(attrs || {})) {
    if (value === undefined || value === null || value === false) continue;
    if (key.startsWith('on') && typeof value === 'function') el.addEventListener(key.slice(2), value);
    else if (key === 'class') el.className = value;
    else if (key === 'dataset') Object.assign(el.dataset, value);
    else if (key in el && typeof value !== 'string') el[key] = value;
    else el.setAttribute(key, value === true ? '' : String(value));
  }
  append(el, children);
  return el;
}

function append(el, children) {
  for (const child of children) {
    if (child === undefined || child === null || child === false) continue;
    if (Array.isArray(child)) append(el, child);
    else el.append(child instanceof Node ? child : document.createTextNode(String(child)));
  }
}

export function selectOf(choices, attrs = {}) {
  return h('select', attrs, choices.map((c) => h('option', { value: String(c.value) }, c.label)));
}

let uid = 0;
export function nextId(prefix) {
  uid += 1;
  return `${prefix}-${uid}`;
}

// Sets a form control's value unless the user is busy with it.
export function setValue(el, value) {
  if (document.activeElement === el) return;
  const text = String(value);
  if (el.type === 'checkbox') el.checked = Boolean(value);
  else if (el.value !== text) el.value = text;
}
