// The page's side of the window engine (ui/web/form1.cpp): the window's
// controls as the browser's own elements, so that keyboards, zoom and
// screen readers treat them as they treat any page's.

// The program's WebAssembly is in the page (#program-code, in base64) and is
// compiled at once, as the program's script starts. Browsers that compile
// only small programs that way refuse it with a RangeError; they get it
// compiled in the background instead.
Module["instantiateWasm"] = (imports, receiveInstance) => {
    const code = document.getElementById("program-code").textContent;
    const bytes = Uint8Array.fromBase64
        ? Uint8Array.fromBase64(code)
        : Uint8Array.from(atob(code), (character) => character.charCodeAt(0));
    let module;
    try {
        module = new WebAssembly.Module(bytes);
    } catch (refusal) {
        if (!(refusal instanceof RangeError)) {
            throw refusal;
        }
        WebAssembly.instantiate(bytes, imports)
            .then((result) => receiveInstance(result.instance, result.module));
        return {};
    }
    const instance = new WebAssembly.Instance(module, imports);
    receiveInstance(instance, module);
    return instance.exports;
};

// In the order of the description's kinds of control.
const velmoraKinds = ["picture", "frame", "push", "label", "text", "option"];

// A place as the program hands it over: left, top, width and height in a row.
function velmoraPlaceAt(address) {
    const [left, top, width, height] = HEAP32.subarray(address >> 2, (address >> 2) + 4);
    return {left, top, width, height};
}

// The window and each control with their two places, the wide one and the
// one for screens narrower than the window and its margin.
const velmoraPlaced = [];
let velmoraNarrowScreen;

function velmoraArrange() {
    const px = (value) => (value === null ? "" : value + "px");
    for (const placed of velmoraPlaced) {
        const place = velmoraNarrowScreen.matches ? placed.narrowed : placed.wide;
        Object.assign(placed.element.style, {left: px(place.left), top: px(place.top),
                                             width: px(place.width), height: px(place.height)});
    }
}

function velmoraMakeWindow(title, wide, narrowed, narrowBelow, background, foreground, family,
                           points) {
    document.title = title;
    const window = document.getElementById("Form1");
    const heading = document.createElement("h1");
    heading.className = "for-screen-readers";
    heading.textContent = title;
    window.append(heading);
    Object.assign(window.style, {
        background, color: foreground, fontFamily: '"' + family + '"', fontSize: points + "pt",
    });
    velmoraPlaced.push({element: window, wide, narrowed});
    velmoraNarrowScreen = matchMedia("not all and (min-width: " + narrowBelow + "px)");
}

function velmoraMakeControl(control) {
    let element;
    let focusable;
    switch (velmoraKinds[control.kind]) {
    case "picture":
        element = focusable = document.createElement("img");
        // Its own size is the image's; the 2x one is drawn for sharp screens.
        element.src = "banner.jpg";
        element.srcset = "banner-2x.jpg 2x";
        element.tabIndex = 0;
        element.draggable = false;
        control.wide.width = control.wide.height = null;
        control.narrowed.width = control.narrowed.height = null;
        break;
    case "frame":
        element = document.createElement("fieldset");
        element.append(document.createElement("legend"));
        element.firstChild.textContent = control.caption;
        break;
    case "push":
        element = focusable = document.createElement("button");
        element.type = "button";
        element.textContent = control.caption;
        element.addEventListener("click", control.click);
        break;
    case "label":
        element = document.createElement("span");
        element.textContent = control.caption;
        break;
    case "text":
        element = focusable = document.createElement("input");
        element.readOnly = true;
        element.autocomplete = "off";
        element.spellcheck = false;
        break;
    case "option":
        // The caption in an element of its own, which draws the focus.
        element = document.createElement("label");
        focusable = document.createElement("input");
        focusable.type = "radio";
        focusable.name = control.container;
        focusable.addEventListener("click", control.click);
        element.append(focusable, document.createElement("span"));
        element.lastChild.textContent = control.caption;
        break;
    }
    (focusable || element).id = control.name;
    element.className = velmoraKinds[control.kind];
    Object.assign(element.style, {
        background: control.background, color: control.foreground, fontWeight: control.weight,
    });
    velmoraPlaced.push({element, wide: control.wide, narrowed: control.narrowed});
    document.getElementById(control.container).append(element);
    velmoraDescribe(focusable || element, control.accessibleName, control.description);
}

// A name for a control without a caption, and a description beyond it.
function velmoraDescribe(control, accessibleName, description) {
    if (accessibleName) {
        control.setAttribute(control.tagName === "IMG" ? "alt" : "aria-label", accessibleName);
    }
    if (description) {
        const text = document.createElement("span");
        text.id = control.id + "-description";
        text.className = "for-screen-readers";
        text.textContent = description;
        document.getElementById("Form1").append(text);
        control.setAttribute("aria-describedby", text.id);
    }
}

// The system's colours of fields, their text and button captions as the
// page shows them, each as 0xRRGGBB: one element, whose styles are worked
// out once.
function velmoraSystemColours() {
    const probe = document.createElement("span");
    Object.assign(probe.style, {color: "Field", backgroundColor: "FieldText",
                                borderColor: "ButtonText"});
    document.body.append(probe);
    const style = getComputedStyle(probe);
    const colours = [style.color, style.backgroundColor, style.borderTopColor].map((css) => {
        const [red, green, blue] = css.match(/\d+/g).map(Number);
        return (red << 16) | (green << 8) | blue;
    });
    probe.remove();
    return colours;
}

function velmoraAnnounce(text) {
    document.getElementById("announcement").textContent = text;
}

// The focus goes to its control just before the browser next draws the
// page, which lays the page out then rather than at once.
function velmoraShowWindow(focus) {
    velmoraArrange();
    velmoraNarrowScreen.addEventListener("change", velmoraArrange);
    document.getElementById("Form1").hidden = false;
    requestAnimationFrame(() => document.getElementById(focus).focus());
    performance.mark("window-ready");
}

// One modal box at a time; while it is open, further errors go to the
// console only. Closing it gives the focus back where it was.
function velmoraShowErrorDialog(title, message) {
    const box = document.getElementById("error-box");
    if (box.open) {
        return;
    }
    if (!box.showModal) { // Safari before 15.4 has no dialogs
        alert(title + "\n\n" + message);
        return;
    }
    const previous = document.activeElement;
    box.addEventListener("close", () => previous.focus(), {once: true});
    box.querySelector("h2").textContent = title;
    box.querySelector("p").textContent = message;
    box.showModal();
}
