// The page's controls made usable as soon as the page is parsed, before its other scripts and
// the core's WebAssembly have loaded (index.html runs this at the end of its body): the colour
// stops' boxes are made and the controls enabled. app.js wires them to the core once it is
// ready and makes the first fade from the controls as they are then, so what is typed, ticked
// or chosen meanwhile counts; presses of the page's buttons (and a form's submission) are held
// here until then, and made once the core is ready (quelvaneControls.release()).
"use strict";
window.quelvaneControls = (() => {
  const $ = (id) => document.getElementById(id);
  // Start colours of the ten stops (the desktop starts all black, which shows nothing on the
  // black preview strip), and the number used at first.
  const START_STOPS = ["#ff0000", "#ff8000", "#ffff00", "#00ff00", "#00ffff",
                       "#0080ff", "#0000ff", "#8000ff", "#ff00ff", "#ffffff"];
  const START_COUNT = 3;
  const CONTROL_SETS = ["fader-controls", "scheme-controls", "html-fieldset"];

  const countBox = $("stop-count");
  for (let n = 2; n <= 10; ++n) countBox.add(new Option(String(n), String(n)));
  countBox.value = String(START_COUNT);
  START_STOPS.forEach((hex, i) => {
    const item = document.createElement("li");
    const label = document.createElement("label");
    const input = document.createElement("input");
    input.type = "color";
    input.id = `stop-${i + 1}`;
    input.value = hex;
    input.setAttribute("aria-label", `Colour ${i + 1}`);
    label.append(String(i + 1), input);
    item.append(label);
    item.classList.toggle("unused", i >= START_COUNT);
    $("stops").append(item);
  });

  const held = [];
  const hold = (event) => {
    const button = event.type === "submit" ? event.submitter ?? event.target : event.target.closest?.("button");
    if (!button || !$("page").contains(button)) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    if (event.type === "click") held.push(button);
  };
  document.addEventListener("click", hold, true);
  document.addEventListener("submit", hold, true);

  for (const id of CONTROL_SETS) $(id).disabled = false;
  performance.mark("quelvane-interactive");
  // The line takes the focus at the first frame rather than now, which would lay the page out
  // while it is still being parsed.
  requestAnimationFrame(() => {
    if (document.activeElement === document.body) $("line").focus();
  });

  const stopHolding = () => {
    document.removeEventListener("click", hold, true);
    document.removeEventListener("submit", hold, true);
  };
  const disable = () => {
    stopHolding();
    held.length = 0;
    for (const id of CONTROL_SETS) $(id).disabled = true;
  };
  // Without app.js (the network failed it) nothing would ever answer the controls. (Deferred
  // as a module, it reports its failure only after this script has run.)
  document.querySelector('script[src="app.js"]')?.addEventListener("error", () => {
    disable();
    $("status").textContent = "The page's scripts could not be loaded: reload the page.";
    $("status").classList.add("problem");
  });
  return {
    // The core is ready: the held presses are made, in order.
    release() {
      stopHolding();
      for (const button of held.splice(0)) button.click();
    },
    // The core could not start: the controls are disabled again, and presses dropped.
    disable,
  };
})();
