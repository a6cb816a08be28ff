#pragma once
// The exceptions the program raises. Each carries the message text that the application-wide
// failure handler matches against its table, so the wording of these messages matters.
#include <stdexcept>
#include <string>
#include <utility>

namespace lumoria {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

// A number that does not fit where it goes.
class RangeError : public Failure {
public:
    RangeError() : Failure("Range check error") {}
};

class DivisionByZero : public Failure {
public:
    DivisionByZero() : Failure("Division by zero") {}
};

// An index outside a list (a page or a frame that does not exist).
class ListIndexError : public Failure {
public:
    explicit ListIndexError(long long index)
        : Failure("List index out of bounds (" + std::to_string(index) + ")") {}
};

class ResourceNotFound : public Failure {
public:
    explicit ResourceNotFound(const std::string& name) : Failure("Resource " + name + " not found") {}
};

// The system's own texts for a missing file, a file in use and exhausted memory.
class FileNotFound : public Failure {
public:
    explicit FileNotFound(const std::string& path)
        : Failure("O sistema não pode encontrar o arquivo especificado: " + path) {}
};

class FileInUse : public Failure {
public:
    explicit FileInUse(const std::string& path)
        : Failure("O arquivo já está sendo usado por outro processo: " + path) {}
};

class OutOfMemory : public Failure {
public:
    OutOfMemory() : Failure("Espaço insuficiente de armazenamento para processar este comando.") {}
};

// A settings or file-association value the system refused to store.
class SettingsWriteError : public Failure {
public:
    explicit SettingsWriteError(const std::string& name) : Failure("Failed to set data for '" + name + "'") {}
};

// A second copy of the program refused at start.
class AlreadyRunning : public Failure {
public:
    AlreadyRunning() : Failure("Aplicativo Já Em Execução") {}
};

// The user guide is not installed beside the program.
class GuideNotFound : public Failure {
public:
    GuideNotFound() : Failure("Guia Não Encontrado") {}
};

// A file that could not be read or written for another reason (the message says which and why).
class FileError : public Failure {
public:
    explicit FileError(const std::string& message) : Failure(message) {}
};

// A file that could not be written; the cause, in Portuguese (UTF-8), is also kept on its own.
class FileWriteError : public FileError {
public:
    FileWriteError(const std::string& message, std::string reason) : FileError(message), m_reason(std::move(reason)) {}
    const std::string& reason() const { return m_reason; }

private:
    std::string m_reason;
};

// The program asked for the current printer while no printer is installed, or a printer did not
// take a print job or one of its pages (the message says which).
class PrinterError : public Failure {
public:
    PrinterError() : Failure("There is no default printer currently selected") {}
    explicit PrinterError(const std::string& message) : Failure(message) {}
};

// A picture file that is not a picture of its kind, is cut short or is too large to hold.
class InvalidPicture : public Failure {
public:
    explicit InvalidPicture(const std::string& message) : Failure(message) {}
};

} // namespace lumoria
