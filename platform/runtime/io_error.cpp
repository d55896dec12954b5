#include "platform/runtime/io_error.h"

#include <cerrno>

#include "platform/runtime/paths.h"

namespace rt {

std::string IoError::MessageFor(int code) {
    switch (code) {
        case 2: return "File non trovato";
        case 3: return "Percorso non trovato";
        case 4: return "Troppi file aperti";
        case 5: return "Accesso al file negato";
        case 100: return "Lettura oltre la fine del file";
        case 101: return "Disco pieno";
        case 103: return "File non aperto";
        case 104: return "File non aperto in lettura";
        case 105: return "File non aperto in scrittura";
        case 106: return "Valore numerico non valido";
        default: return "Errore di ingresso/uscita " + std::to_string(code);
    }
}

namespace {

// What the user can do about an error of a code.
const char* AdviceFor(int code) {
    switch (code) {
        case 2:
            return "Il file manca nella cartella dei dati: riavviare il programma, che ricopia i file forniti con "
                   "esso, o ripristinarlo da una copia di sicurezza.";
        case 3:
            return "La sua cartella non esiste o non si pu\xF2 creare: controllare che la cartella dei dati sia al "
                   "suo posto e scrivibile.";
        case 4: return "Chiudere altri programmi e riprovare.";
        case 5:
            return "Il programma non ha il permesso di leggerlo o di scriverlo, o al suo posto c'\xE8 una cartella: "
                   "controllare i permessi del file e della sua cartella, poi riprovare.";
        case 100:
            return "Il file \xE8 pi\xF9 corto di quanto dovrebbe essere (incompleto o danneggiato): ripristinarlo da "
                   "una copia di sicurezza.";
        case 101: return "Liberare spazio sul disco e riprovare.";
        case 103:
        case 104:
        case 105: return "Ripetere l'operazione; se l'errore si ripete, riavviare il programma.";
        case 106:
            return "Dove dovrebbe esserci un numero c'\xE8 altro testo (il file \xE8 danneggiato): correggerlo o "
                   "ripristinarlo da una copia di sicurezza.";
        default: return "Riprovare; se l'errore si ripete, controllare il disco.";
    }
}

}  // namespace

bool IoError::IsFolderInPlace(int code, const std::string& file) {
    return code == kAccessDenied && FolderInPlaceOf(file);
}

std::string IoError::MessageAbout(int code, const std::string& file) { return MessageAbout(code, file, {}); }

std::string IoError::MessageAbout(int code, const std::string& file, std::string_view done) {
    const std::string shown = SpelledOnDisc(file);
    std::string text = MessageFor(code);
    if (!file.empty()) text += ": \"" + shown + "\"";
    text += ".";
    std::string advice = AdviceFor(code);
    if (IsFolderInPlace(code, file)) {
        std::string cause = kFolderInPlaceText;
        cause[0] = 'A';
        text += " " + cause + ".";
        advice = "Spostare altrove o rinominare la cartella \"" + shown +
                 "\" (il programma tiene un suo file con quel nome), poi riprovare.";
    } else if (code == kAccessDenied && !file.empty()) {
        advice =
            "Il programma non ha il permesso di leggerlo o di scriverlo: controllare i permessi del file e della "
            "sua cartella, poi riprovare.";
    }
    if (!done.empty()) text += " " + std::string(done);
    return text + " " + advice;
}

int IoCodeFromErrno(int error, bool creating) {
    switch (error) {
        case ENOENT: return creating ? kPathNotFound : kFileNotFound;
        case ENOTDIR: return kPathNotFound;
        case EMFILE:
        case ENFILE: return 4;
        case ENOSPC:
        case EFBIG:
        case EDQUOT: return kDiskFull;
        default: return kAccessDenied;  // EACCES, EPERM, EROFS, EISDIR and the rest
    }
}

IoError::IoError(int code, const std::string& file) : std::runtime_error(MessageFor(code)), code_(code), file_(file) {}

}  // namespace rt
